// The main window's side of the preview player: Play, Pause, Stop, the marks,
// the position slider and display, and the player's own window closing.

#include "ConverterDlg.h"

#include "PreviewPlayer.h"
#include "UnitsClockText.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSlider>

namespace veltrano {

void CConverterDlg::ConnectPlayerCommands() {
    const auto onClick = [this](int id, auto handler) {
        connect(Control<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(idc::kPlay, [this] {
        if (player_) {
            player_->Play();
        }
    });
    onClick(idc::kPause, [this] {
        if (player_) {
            player_->Pause();
        }
    });
    onClick(idc::kStop, [this] {
        if (player_) {
            player_->Stop();
        }
    });
    onClick(idc::kStartTime, [this] { SetMark(state_.startMark, idc::kStartMark); });
    onClick(idc::kEndTime, [this] { SetMark(state_.endMark, idc::kEndMark); });
    // A click beside the thumb moves the slider without a drag: it seeks too,
    // once the slider has taken its new value.
    auto* slider = Control<QSlider>(idc::kSlider);
    connect(slider, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove) {
            QMetaObject::invokeMethod(this, &CConverterDlg::OnSliderReleased, Qt::QueuedConnection);
        }
    });
}

void CConverterDlg::SetMark(std::int64_t& mark, int labelId) {
    if (!player_) {
        return;
    }
    mark = player_->currentPosition();
    Control<QLabel>(labelId)->setText(UnitsClockText(mark));
}

void CConverterDlg::OnSliderReleased() {
    sliderHeld_ = false;
    state_.sliderPos = Control<QSlider>(idc::kSlider)->value();
    if (!player_ || player_->stopPosition() == 0) {
        return;
    }
    const long double fraction =
        static_cast<long double>(state_.sliderPos) * (1.0L / kSliderMaximum);
    player_->Seek(
        static_cast<std::int64_t>(static_cast<long double>(player_->stopPosition()) * fraction));
}

void CConverterDlg::StartPlayer(const QString& path) {
    player_.reset();
    Control<QSlider>(idc::kSlider)->setValue(0);
    player_ = std::make_unique<PreviewPlayer>(this);
    // Queued, as the player's messages are posted to the window.
    connect(player_.get(), &PreviewPlayer::positionChanged, this, &CConverterDlg::OnPlayerPosition,
            Qt::QueuedConnection);
    connect(player_.get(), &PreviewPlayer::closeRequested, this, &CConverterDlg::OnPlayerClosed,
            Qt::QueuedConnection);
    // A report still queued from a player replaced since is not this one's.
    const std::uint64_t serial = ++playerSerial_;
    connect(
        player_.get(), &PreviewPlayer::opened, this,
        [this, serial](bool ok) {
            if (serial == playerSerial_) {
                OnPlayerOpened(ok);
            }
        },
        Qt::QueuedConnection);
    player_->OpenFile(path);
}

void CConverterDlg::OnPlayerOpened(bool ok) {
    if (ok || !player_) {
        return;
    }
    // The conversion cannot use a file its player could not open: Convert asks
    // for a video again rather than failing on an empty source.
    state_.clipFile.clear();
    outputSettings_.sourceCount = 0;
    state_.musicCount = 0;
    player_.reset();
}

void CConverterDlg::OnPlayerPosition() {
    if (sliderHeld_) {
        return;
    }
    if (!player_) {
        Control<QLabel>(idc::kPosition)->clear();
        return;
    }
    const std::int64_t current = player_->currentPosition();
    const std::int64_t stop = player_->stopPosition();
    Control<QLabel>(idc::kPosition)
        ->setText(UnitsClockText(current) + " / " + UnitsClockText(stop));
    const int position = stop == 0 ? 0
                                   : static_cast<int>(static_cast<double>(current) /
                                                      static_cast<double>(stop) * kSliderMaximum);
    Control<QSlider>(idc::kSlider)->setValue(position);
    state_.sliderPos = position;
}

void CConverterDlg::OnPlayerClosed() {
    player_.reset();
    outputSettings_.sourceCount = 0;
    state_.startMark = 0;
    state_.endMark = 0;
    Control<QLabel>(idc::kStartMark)->setText("00:00:00");
    Control<QLabel>(idc::kEndMark)->setText("00:00:00");
    Control<QLabel>(idc::kPosition)->clear();
    EnablePlaybackSet(false);
    // A running conversion must stay stoppable.
    if (state_.converting == 1) {
        Control(idc::kConvert)->setEnabled(true);
    }
}

} // namespace veltrano
