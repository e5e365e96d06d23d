#include "internal/SourceAssets.h"

#include "internal/ErrorMapping.h"
#include "internal/GstUtil.h"

namespace media::internal {

std::string PathToUri(const std::string& path) {
    GError* rawError = nullptr;
    std::string uri = TakeString(gst_filename_to_uri(path.c_str(), &rawError));
    ErrorPtr error(rawError);
    return error ? std::string() : uri;
}

Result RequestSourceAsset(const std::string& path, Handle<GESAsset>& asset,
                          std::string* errorText) {
    asset.reset();
    const Result access = CheckInputFile(path);
    if (Failed(access)) {
        return access;
    }
    const std::string uri = PathToUri(path);
    if (uri.empty()) {
        return E_INVALIDARG;
    }
    GError* rawError = nullptr;
    asset =
        Handle<GESAsset>::Adopt(GES_ASSET(ges_uri_clip_asset_request_sync(uri.c_str(), &rawError)));
    ErrorPtr error(rawError);
    if (!asset || error) {
        if (errorText != nullptr && error) {
            *errorText = error->message;
        }
        asset.reset();
        return error ? ResultFromError(error.get(), nullptr) : VFW_E_CANNOT_RENDER;
    }
    return S_OK;
}

} // namespace media::internal
