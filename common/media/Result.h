#pragma once

// Result codes of the media layer: 32-bit signed, negative means failure. The
// values keep the long-established numbering, so program code compares against
// the same constants it always has.

#include <cstdint>
#include <string>

namespace media {

using Result = std::int32_t;

constexpr Result MakeResult(std::uint32_t bits) {
    return static_cast<Result>(bits);
}

constexpr Result S_OK = 0;
constexpr Result S_FALSE = 1;
constexpr Result E_NOINTERFACE = MakeResult(0x80004002u);
constexpr Result E_POINTER = MakeResult(0x80004003u);
constexpr Result E_ABORT = MakeResult(0x80004004u);
constexpr Result E_FAIL = MakeResult(0x80004005u);
constexpr Result E_UNEXPECTED = MakeResult(0x8000FFFFu);
constexpr Result E_FILE_NOT_FOUND = MakeResult(0x80070002u);
constexpr Result E_PATH_NOT_FOUND = MakeResult(0x80070003u);
constexpr Result E_ACCESSDENIED = MakeResult(0x80070005u);
constexpr Result E_OUTOFMEMORY = MakeResult(0x8007000Eu);
constexpr Result E_WRITE_FAULT = MakeResult(0x8007001Du);
constexpr Result E_FILE_EXISTS = MakeResult(0x80070050u);
constexpr Result E_INVALIDARG = MakeResult(0x80070057u);
constexpr Result E_DISK_FULL = MakeResult(0x80070070u);

// Media-specific failures.
constexpr Result VFW_E_INVALID_MEDIA_TYPE = MakeResult(0x80040200u);
constexpr Result VFW_E_NOT_CONNECTED = MakeResult(0x80040209u);
constexpr Result VFW_E_CANNOT_CONNECT = MakeResult(0x80040217u);
constexpr Result VFW_E_CANNOT_RENDER = MakeResult(0x80040218u);
constexpr Result VFW_E_NOT_FOUND = MakeResult(0x80040216u);
constexpr Result VFW_E_TYPE_NOT_ACCEPTED = MakeResult(0x8004022Au);
constexpr Result VFW_E_TIMEOUT = MakeResult(0x8004022Eu);
constexpr Result VFW_E_FILE_EMPTY = MakeResult(0x80040234u);
constexpr Result VFW_E_CORRUPT_FILE = MakeResult(0x80040241u);
constexpr Result VFW_E_UNSUPPORTED_STREAM = MakeResult(0x80040265u);
constexpr Result VFW_E_NO_DECODER = MakeResult(0x80040266u);
constexpr Result VFW_E_NO_VIDEO_STREAM = MakeResult(0x80040267u);
constexpr Result VFW_E_NO_ENCODER = MakeResult(0x80040268u);
constexpr Result VFW_E_STREAM_FAILED = MakeResult(0x80040269u);
constexpr Result VFW_E_NOT_INITIALIZED = MakeResult(0x8004026Au);

// Success with a remark: the graph was built but some streams had no decoder.
constexpr Result VFW_S_PARTIAL_RENDER = MakeResult(0x00040242u);

constexpr bool Succeeded(Result r) {
    return r >= 0;
}
constexpr bool Failed(Result r) {
    return r < 0;
}

// Readable text for any code this layer returns; unknown codes get a generic
// text that carries the hexadecimal value.
std::string ErrorText(Result result);

// Callers show error texts in a fixed-size field: the text cut to at most 160
// bytes, never splitting a UTF-8 sequence.
constexpr std::size_t kMaxErrorTextLength = 160;
std::string ErrorText160(Result result);
std::string CutText(const std::string& text, std::size_t maxBytes);

} // namespace media
