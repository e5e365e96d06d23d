#pragma once

#include "EncoderProperties.h"

#include <QString>
#include <optional>
#include <string>

class QComboBox;
class QWidget;

namespace settings {

// The settings a person last confirmed for a video encoder in this run. It is
// not stored between runs; the next configuration of the same encoder starts
// from it, and binding that encoder applies it.
struct CodecState {
    std::string encoderName;
    media::EncoderState values;
};

const std::optional<CodecState>& CurrentCodecState();
void SetCodecState(std::optional<CodecState> state);

// The first run of digits and dots in `name`, or empty when it has none.
QString VersionText(const QString& name);

// Finds the encoder named by the video list's selection and lets the person
// configure it. `codecList` is the dialog's hidden list that receives the
// encoders' descriptions; `fallbackWord` matches a renamed encoder of the same
// version ("divx" in one program, "ffdshow video encoder" in the other).
void ConfigureSelectedCodec(QWidget* dialog, const QComboBox& videoList, QComboBox& codecList,
                            const QString& fallbackWord);

} // namespace settings
