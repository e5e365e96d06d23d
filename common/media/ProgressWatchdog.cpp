#include "ProgressWatchdog.h"

#include "internal/GstUtil.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <atomic>
#include <sstream>

namespace media {

namespace {

constexpr std::chrono::milliseconds kDefaultNoProgressBound{20000};
std::atomic<std::int64_t> noProgressBoundMs{kDefaultNoProgressBound.count()};

std::string FactoryNameOf(GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    return factory != nullptr ? GST_OBJECT_NAME(factory) : "bin";
}

const char* StateName(GstState state) {
    return gst_element_state_get_name(state);
}

// "<label> 3 buffers, 1024 bytes, 0.5 s" from the properties "<prefix>buffers",
// "<prefix>bytes" and "<prefix>time" (current-level-..., max-size-...).
void DescribeAmounts(GstElement* element, const std::string& prefix, const char* label,
                     std::ostringstream& out) {
    guint buffers = 0;
    guint bytes = 0;
    guint64 time = 0;
    g_object_get(element, (prefix + "buffers").c_str(), &buffers, (prefix + "bytes").c_str(),
                 &bytes, (prefix + "time").c_str(), &time, nullptr);
    out << "  " << label << ' ' << buffers << " buffers, " << bytes << " bytes, "
        << static_cast<double>(time) / GST_SECOND << " s";
}

// Queues answer with their levels; a multiqueue keeps its per-stream levels to
// itself, so its bounds are listed instead.
void DescribeQueue(GstElement* element, std::ostringstream& out) {
    const std::string factory = FactoryNameOf(element);
    if (factory == "queue" || factory == "queue2") {
        DescribeAmounts(element, "current-level-", "level", out);
    }
    if (factory == "queue" || factory == "multiqueue") {
        DescribeAmounts(element, "max-size-", "bounds", out);
    }
}

void DescribeElements(GstBin* bin, int depth, std::ostringstream& out) {
    for (const Handle<GstElement>& element :
         internal::CollectObjects<GstElement>(gst_bin_iterate_elements(bin))) {
        GstState current = GST_STATE_VOID_PENDING;
        GstState pending = GST_STATE_VOID_PENDING;
        // No wait: an element in the middle of a change says so.
        gst_element_get_state(element.get(), &current, &pending, 0);
        out << std::string(static_cast<std::size_t>(depth) * 2, ' ')
            << GST_OBJECT_NAME(element.get()) << " (" << FactoryNameOf(element.get()) << ") "
            << StateName(current);
        if (pending != GST_STATE_VOID_PENDING) {
            out << " -> " << StateName(pending);
        }
        DescribeQueue(element.get(), out);
        out << '\n';
        if (GST_IS_BIN(element.get())) {
            DescribeElements(GST_BIN(element.get()), depth + 1, out);
        }
    }
}

} // namespace

std::chrono::milliseconds NoProgressBound() {
    return std::chrono::milliseconds(noProgressBoundMs.load());
}

void SetNoProgressBound(std::chrono::milliseconds bound) {
    noProgressBoundMs = bound.count();
}

ProgressWatchdog::ProgressWatchdog() : bound_(NoProgressBound()), lastMove_(Clock::now()) {}

bool ProgressWatchdog::Stalled(ReferenceTime position, Clock::time_point now) {
    if (position != last_) {
        last_ = position;
        lastMove_ = now;
        reached_ = std::max(reached_, position);
        return false;
    }
    return now - lastMove_ >= bound_;
}

std::string DescribeGraph(const FilterGraph& graph) {
    std::ostringstream out;
    ReferenceTime position = -1;
    graph.GetCurrentPosition(position);
    out << "position " << static_cast<double>(position) / kUnitsPerSecond << " s\n";
    if (const std::string error = graph.LastErrorText(); !error.empty()) {
        out << "last error: " << error << '\n';
    }
    DescribeElements(GST_BIN(graph.native()), 0, out);
    return out.str();
}

std::string WriteGraphDiagnostics(const FilterGraph& graph, const std::string& folder) {
    const QDir dir(QString::fromStdString(folder));
    if (!dir.mkpath(QStringLiteral("."))) {
        return {};
    }
    const QString base =
        dir.filePath("stalled-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss-zzz"));
    QFile text(base + ".txt");
    if (!text.open(QIODevice::WriteOnly) ||
        text.write(QByteArray::fromStdString(DescribeGraph(graph))) < 0) {
        return {};
    }
    QFile dot(base + ".dot");
    const std::string dotText = internal::TakeString(
        gst_debug_bin_to_dot_data(GST_BIN(graph.native()), GST_DEBUG_GRAPH_SHOW_ALL));
    if (dot.open(QIODevice::WriteOnly)) {
        dot.write(QByteArray::fromStdString(dotText));
    }
    qWarning("the conversion stopped making progress; its graph is described in %s",
             qPrintable(text.fileName()));
    return text.fileName().toStdString();
}

} // namespace media
