#include "CodecConfiguration.h"

#include "CompressorDevices.h"
#include "EncoderSettingsDlg.h"

#include <QComboBox>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace settings {

namespace {

std::optional<CodecState>& StateBlock() {
    static std::optional<CodecState> state;
    return state;
}

bool SameValue(const media::PropertySpec& spec, const std::string& value) {
    if (spec.kind == media::PropertyKind::Real) {
        // The dialog shows three decimals; finer differences are not a person's choice.
        return std::abs(std::strtod(spec.value.c_str(), nullptr) -
                        std::strtod(value.c_str(), nullptr)) < 0.0005;
    }
    return spec.value == value;
}

// Only what differs from the encoder's own defaults: some encoders change their
// behaviour when an option is set at all, even to its default.
media::EncoderState ChangedSettings(const std::vector<media::PropertySpec>& defaults,
                                    const media::EncoderState& shown) {
    media::EncoderState changed;
    for (const auto& [name, value] : shown) {
        const auto spec =
            std::find_if(defaults.begin(), defaults.end(),
                         [&](const media::PropertySpec& s) { return s.name == name; });
        if (spec == defaults.end() || !SameValue(*spec, value)) {
            changed.emplace_back(name, value);
        }
    }
    return changed;
}

} // namespace

const std::optional<CodecState>& CurrentCodecState() {
    return StateBlock();
}

void SetCodecState(std::optional<CodecState> state) {
    StateBlock() = std::move(state);
}

QString VersionText(const QString& name) {
    static const QRegularExpression run("[0-9.]+");
    const QRegularExpressionMatch match = run.match(name);
    return match.hasMatch() ? match.captured(0) : QString();
}

void ConfigureSelectedCodec(QWidget* dialog, const QComboBox& videoList, QComboBox& codecList,
                            const QString& fallbackWord) {
    const QString wanted = videoList.currentIndex() >= 0 ? videoList.currentText() : QString();

    std::vector<CompressorMember> members;
    // Every configurable encoder, however many are installed: the framework
    // lists far more than fifty, and a cut would leave the later ones (H.264
    // among them) without settings.
    std::vector<CompressorMember> codecs;
    if (CurrentCompressorDevices().Walk(CompressorCategory::Video, members) == WalkResult::Ok) {
        for (const CompressorMember& member : members) {
            if (member.propertiesOpen && member.nameRead && !member.elementName.isEmpty()) {
                codecs.push_back(member);
            }
        }
    }

    codecList.clear();
    int match = -1;
    bool exact = false;
    for (int i = 0; i < static_cast<int>(codecs.size()); ++i) {
        const QString& description = codecs[static_cast<std::size_t>(i)].friendlyName;
        codecList.addItem(description);
        if (description.compare(wanted, Qt::CaseInsensitive) == 0) {
            match = i; // the last exact match wins
            exact = true;
        } else if (!exact && match < 0 && wanted.toLower().contains(fallbackWord) &&
                   description.toLower().contains(fallbackWord)) {
            const QString wantedVersion = VersionText(wanted);
            if (!wantedVersion.isEmpty() && wantedVersion == VersionText(description)) {
                match = i;
            }
        }
    }
    if (match < 0) {
        return;
    }
    codecList.setCurrentIndex(match);
    const int selected = codecList.currentIndex();
    if (selected < 0) {
        return;
    }

    const CompressorMember& codec = codecs[static_cast<std::size_t>(selected)];
    const std::string encoderName = codec.elementName.toStdString();
    const std::optional<CodecState>& previous = CurrentCodecState();
    const media::EncoderState startFrom =
        previous && previous->encoderName == encoderName ? previous->values : media::EncoderState();
    std::vector<media::PropertySpec> specs =
        media::DescribeEncoderProperties(encoderName, startFrom);
    // An encoder without settings has nothing to show.
    if (specs.empty()) {
        return;
    }
    CEncoderSettingsDlg settingsDialog(codec.friendlyName, std::move(specs), dialog);
    if (settingsDialog.exec() == QDialog::Accepted) {
        SetCodecState(CodecState{encoderName,
                                 ChangedSettings(media::DescribeEncoderProperties(encoderName, {}),
                                                 settingsDialog.State())});
    }
}

} // namespace settings
