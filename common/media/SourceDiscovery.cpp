#include "SourceDiscovery.h"

#include "internal/ErrorMapping.h"
#include "internal/GstUtil.h"
#include "internal/MainLoopHandles.h"
#include "internal/SourceAssets.h"

#include <ges/ges.h>

#include <memory>

namespace media {

namespace {

// Shared by the waiting job and the answer, which may come after the job gave
// up waiting: the last of them frees it.
struct Request {
    Handle<GMainLoop> loop;
    Handle<GESAsset> asset;
    internal::ErrorPtr error;
    bool answered = false;
};

// The framework's discoverer gives up after its own minute; a source that has
// not answered in this time is reported unreadable instead.
constexpr guint kDiscoveryBoundMs = 30000;

void OnAssetLoaded(GObject*, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::shared_ptr<Request>> held(static_cast<std::shared_ptr<Request>*>(data));
    Request& request = **held;
    GError* rawError = nullptr;
    request.asset = Handle<GESAsset>::Adopt(ges_asset_request_finish(result, &rawError));
    request.error.reset(rawError);
    request.answered = true;
    g_main_loop_quit(request.loop.get());
}

gboolean OnDiscoveryBound(gpointer data) {
    g_main_loop_quit(static_cast<GMainLoop*>(data));
    return G_SOURCE_REMOVE;
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
    auto request = std::make_shared<Request>();
    request->loop = Handle<GMainLoop>::Adopt(g_main_loop_new(context.get(), FALSE));
    ges_asset_request_async(GES_TYPE_URI_CLIP, uri.c_str(), nullptr, &OnAssetLoaded,
                            new std::shared_ptr<Request>(request));
    const auto bound = Handle<GSource>::Adopt(g_timeout_source_new(kDiscoveryBoundMs));
    g_source_set_callback(bound.get(), &OnDiscoveryBound, request->loop.get(), nullptr);
    g_source_attach(bound.get(), context.get());
    g_main_loop_run(request->loop.get());
    g_source_destroy(bound.get());
    if (!request->answered) {
        if (errorText != nullptr) {
            *errorText = "reading the source took too long";
        }
        return VFW_E_TIMEOUT;
    }
    if (!request->asset || request->error) {
        if (errorText != nullptr && request->error) {
            *errorText = request->error->message;
        }
        return request->error ? internal::ResultFromError(request->error.get(), nullptr)
                              : VFW_E_CANNOT_RENDER;
    }
    return S_OK;
}

} // namespace media
