#pragma once

// The web addresses the programs point their users to, kept in one place.

namespace uikit {

// The product's own page: the About box link and the Homepage button.
inline constexpr auto kProductHomepage = "https://tarnwickstudio.example/videoconverters/";
// The maker's site, named when no browser could be started.
inline constexpr auto kMakerSite = "https://tarnwickstudio.example/";
// Where users write to the maker (the About box's support link).
inline constexpr auto kContactPage = "https://tarnwickstudio.example/contact/";

} // namespace uikit
