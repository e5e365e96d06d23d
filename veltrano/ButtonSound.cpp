#include "ButtonSound.h"

#include <QFile>

namespace veltrano {

namespace {

QByteArray HoverWav() {
    QFile file(":/veltrano/hover.wav");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

ButtonSound::ButtonSound() : player_(HoverWav()) {}

void ButtonSound::Play() {
    player_.Play();
}

} // namespace veltrano
