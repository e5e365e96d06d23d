#include "Result.h"

#include <cstdio>

namespace media {

std::string ErrorText(Result result) {
    switch (result) {
    case S_OK:
        return "The operation completed successfully.";
    case S_FALSE:
        return "The operation completed but is not finished yet.";
    case VFW_S_PARTIAL_RENDER:
        return "Some of the streams in this file are in an unsupported format.";
    case E_NOINTERFACE:
        return "The requested interface is not supported.";
    case E_POINTER:
        return "A required pointer or handle is empty.";
    case E_ABORT:
        return "The operation was aborted or timed out.";
    case E_FAIL:
        return "Unspecified error.";
    case E_UNEXPECTED:
        return "Catastrophic failure.";
    case E_FILE_NOT_FOUND:
        return "The system cannot find the file specified.";
    case E_PATH_NOT_FOUND:
        return "The system cannot find the path specified.";
    case E_ACCESSDENIED:
        return "Access is denied.";
    case E_OUTOFMEMORY:
        return "Not enough memory is available to complete this operation.";
    case E_WRITE_FAULT:
        return "The system cannot write to the specified file.";
    case E_FILE_EXISTS:
        return "The file exists.";
    case E_INVALIDARG:
        return "The parameter is incorrect.";
    case E_DISK_FULL:
        return "There is not enough space on the disk.";
    case VFW_E_INVALID_MEDIA_TYPE:
        return "An invalid media type was specified.";
    case VFW_E_NOT_CONNECTED:
        return "The operation cannot be performed because the pins are not connected.";
    case VFW_E_CANNOT_CONNECT:
        return "No combination of intermediate filters could be found to make the connection.";
    case VFW_E_CANNOT_RENDER:
        return "No combination of filters could be found to render the stream.";
    case VFW_E_NOT_FOUND:
        return "An object or name was not found.";
    case VFW_E_TYPE_NOT_ACCEPTED:
        return "The media types of the connected filters could not be negotiated.";
    case VFW_E_TIMEOUT:
        return "The operation did not finish within the allowed time.";
    case VFW_E_FILE_EMPTY:
        return "The file is empty.";
    case VFW_E_CORRUPT_FILE:
        return "The file is damaged or is not a media file.";
    case VFW_E_UNSUPPORTED_STREAM:
        return "The file format is not supported.";
    case VFW_E_NO_DECODER:
        return "No decoder is installed for a stream in this file.";
    case VFW_E_NO_VIDEO_STREAM:
        return "The file has no video stream.";
    case VFW_E_NO_ENCODER:
        return "The requested encoder is not available.";
    case VFW_E_STREAM_FAILED:
        return "Data flow stopped because of an internal error.";
    case VFW_E_NOT_INITIALIZED:
        return "The media framework is not initialized.";
    default:
        break;
    }
    char text[64];
    std::snprintf(text, sizeof text, "Unknown error 0x%08X.", static_cast<unsigned>(result));
    return text;
}

std::string CutText(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t cut = maxBytes;
    // Step back over UTF-8 continuation bytes so the cut lands on a character start.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return text.substr(0, cut);
}

std::string ErrorText160(Result result) {
    return CutText(ErrorText(result), kMaxErrorTextLength);
}

} // namespace media
