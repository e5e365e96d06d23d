#include "internal/ErrorMapping.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace media::internal {

namespace {

Result ResultFromResourceError(int code, const char* debug) {
    switch (code) {
    case GST_RESOURCE_ERROR_NOT_FOUND:
        return E_FILE_NOT_FOUND;
    case GST_RESOURCE_ERROR_NO_SPACE_LEFT:
        return E_DISK_FULL;
    case GST_RESOURCE_ERROR_NOT_AUTHORIZED:
        return E_ACCESSDENIED;
    case GST_RESOURCE_ERROR_OPEN_READ:
    case GST_RESOURCE_ERROR_OPEN_WRITE:
    case GST_RESOURCE_ERROR_OPEN_READ_WRITE:
    case GST_RESOURCE_ERROR_WRITE:
        // File elements name the system error only in the debug detail.
        if (debug != nullptr && std::strstr(debug, std::strerror(EACCES)) != nullptr) {
            return E_ACCESSDENIED;
        }
        if (debug != nullptr && std::strstr(debug, std::strerror(ENOENT)) != nullptr) {
            return E_PATH_NOT_FOUND;
        }
        return code == GST_RESOURCE_ERROR_OPEN_READ ? E_FILE_NOT_FOUND : E_WRITE_FAULT;
    default:
        return E_FAIL;
    }
}

Result ResultFromStreamError(int code, const char* debug) {
    switch (code) {
    case GST_STREAM_ERROR_TYPE_NOT_FOUND:
    case GST_STREAM_ERROR_WRONG_TYPE:
        return VFW_E_UNSUPPORTED_STREAM;
    case GST_STREAM_ERROR_CODEC_NOT_FOUND:
        return VFW_E_NO_DECODER;
    case GST_STREAM_ERROR_DECODE:
    case GST_STREAM_ERROR_DEMUX:
        return VFW_E_CORRUPT_FILE;
    case GST_STREAM_ERROR_FORMAT:
        return VFW_E_TYPE_NOT_ACCEPTED;
    case GST_STREAM_ERROR_ENCODE:
    case GST_STREAM_ERROR_MUX:
        return E_FAIL;
    default:
        // Flow errors carry the flow reason only in the debug detail.
        if (debug != nullptr && std::strstr(debug, "not-negotiated") != nullptr) {
            return VFW_E_TYPE_NOT_ACCEPTED;
        }
        return VFW_E_STREAM_FAILED;
    }
}

} // namespace

Result ResultFromError(const GError* error, const char* debug) {
    if (error == nullptr) {
        return E_FAIL;
    }
    if (error->domain == GST_RESOURCE_ERROR) {
        return ResultFromResourceError(error->code, debug);
    }
    if (error->domain == GST_STREAM_ERROR) {
        return ResultFromStreamError(error->code, debug);
    }
    if (error->domain == GST_CORE_ERROR) {
        return error->code == GST_CORE_ERROR_MISSING_PLUGIN ? VFW_E_NO_DECODER : E_FAIL;
    }
    return E_FAIL;
}

Result ResultFromErrno(int error) {
    switch (error) {
    case ENOENT:
        return E_FILE_NOT_FOUND;
    case ENOTDIR:
        return E_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
        return E_ACCESSDENIED;
    case ENOMEM:
        return E_OUTOFMEMORY;
    case ENOSPC:
        return E_DISK_FULL;
    default:
        return E_FAIL;
    }
}

Result ResultFromLinkReturn(GstPadLinkReturn link) {
    switch (link) {
    case GST_PAD_LINK_OK:
        return S_OK;
    case GST_PAD_LINK_NOFORMAT:
        return VFW_E_TYPE_NOT_ACCEPTED;
    case GST_PAD_LINK_WAS_LINKED:
    case GST_PAD_LINK_WRONG_DIRECTION:
    case GST_PAD_LINK_WRONG_HIERARCHY:
    case GST_PAD_LINK_NOSCHED:
    case GST_PAD_LINK_REFUSED:
    default:
        return VFW_E_CANNOT_CONNECT;
    }
}

Result CheckInputFile(const std::string& path) {
    if (path.empty()) {
        return E_INVALIDARG;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return ResultFromErrno(errno);
    }
    // A folder, a named pipe or a device is not media input: reading a pipe
    // waits for a writer that may never come.
    if (!S_ISREG(info.st_mode)) {
        return VFW_E_UNSUPPORTED_STREAM;
    }
    // Non-blocking in case the name was swapped for a pipe since the stat.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return ResultFromErrno(errno);
    }
    ::close(fd);
    return info.st_size == 0 ? VFW_E_FILE_EMPTY : S_OK;
}

} // namespace media::internal
