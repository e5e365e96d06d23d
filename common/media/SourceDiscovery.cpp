#include "SourceDiscovery.h"

#include "internal/ErrorMapping.h"
#include "internal/GstUtil.h"
#include "internal/MainLoopHandles.h"
#include "internal/SourceAssets.h"

#include <ges/ges.h>

namespace media {

namespace {

struct Request {
    Handle<GMainLoop> loop;
    Handle<GESAsset> asset;
    internal::ErrorPtr error;
};

void OnAssetLoaded(GObject*, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<Request*>(data);
    GError* rawError = nullptr;
    request->asset = Handle<GESAsset>::Adopt(ges_asset_request_finish(result, &rawError));
    request->error.reset(rawError);
    g_main_loop_quit(request->loop.get());
}

} // namespace

Result DiscoverSource(const std::string& path, std::string* errorText) {
    const Result access = internal::CheckInputFile(path);
    if (Failed(access)) {
        return access;
    }
    const std::string uri = internal::PathToUri(path);
    if (uri.empty()) {
        return E_INVALIDARG;
    }
    // The synchronous request runs the process's default context, which the UI
    // thread iterates too; the asynchronous one answers in this thread's own.
    const auto context = Handle<GMainContext>::Adopt(g_main_context_ref_thread_default());
    Request request;
    request.loop = Handle<GMainLoop>::Adopt(g_main_loop_new(context.get(), FALSE));
    ges_asset_request_async(GES_TYPE_URI_CLIP, uri.c_str(), nullptr, &OnAssetLoaded, &request);
    g_main_loop_run(request.loop.get());
    if (!request.asset || request.error) {
        if (errorText != nullptr && request.error) {
            *errorText = request.error->message;
        }
        return request.error ? internal::ResultFromError(request.error.get(), nullptr)
                             : VFW_E_CANNOT_RENDER;
    }
    return S_OK;
}

} // namespace media
