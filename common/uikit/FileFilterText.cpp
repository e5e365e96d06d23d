#include "FileFilterText.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace uikit {

namespace {

QStringList SplitPatterns(const QString& list) {
    static const QRegularExpression kSeparators("[;\\s]+");
    return list.split(kSeparators, Qt::SkipEmptyParts);
}

bool SamePatterns(QStringList shown, QStringList given) {
    for (QStringList* list : {&shown, &given}) {
        for (QString& pattern : *list) {
            pattern = pattern.toLower();
        }
        std::sort(list->begin(), list->end());
    }
    return !shown.isEmpty() && shown == given;
}

// Qt takes the patterns between the last parentheses, separated by spaces, and
// "*.*" there would hide every file without an extension.
QString QtPatterns(QStringList patterns) {
    for (QString& pattern : patterns) {
        if (pattern == "*.*") {
            pattern = "*";
        }
    }
    return "(" + patterns.join(' ') + ")";
}

} // namespace

QString FileFilterText(const FileFilter& filter) {
    const QStringList patterns = SplitPatterns(filter.patterns);
    const QString description = filter.description.trimmed();
    const qsizetype open = description.lastIndexOf('(');
    if (open >= 0 && description.endsWith(')')) {
        const QStringList shown = SplitPatterns(description.mid(open + 1).chopped(1));
        if (SamePatterns(shown, patterns)) {
            return description.left(open) + QtPatterns(shown);
        }
    }
    return filter.description + " " + QtPatterns(patterns);
}

QString FileFilterList(const FileRequest& request, QString* selected) {
    QStringList parts;
    for (std::size_t i = 0; i < request.filters.size(); ++i) {
        const QString text = FileFilterText(request.filters[i]);
        parts << text;
        if (static_cast<int>(i) == request.selectedFilter) {
            *selected = text;
        }
    }
    return parts.join(";;");
}

} // namespace uikit
