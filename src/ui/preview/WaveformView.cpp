#include "ui/preview/WaveformView.h"

#include "sound/PcmDecode.h"

#include <QPainter>
#include <algorithm>

namespace drossel::ui {
namespace {

constexpr std::size_t kStretches = 1024;

}  // namespace

WaveformView::WaveformView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Waveform"));
    setMinimumHeight(90);
}

void WaveformView::SetSound(const PcmSound* sound) {
    peaks_.clear();
    if (sound != nullptr && sound->channels > 0 && !sound->samples.empty()) {
        const std::size_t frames = sound->samples.size() / static_cast<std::size_t>(sound->channels);
        const std::size_t stretches = std::min(kStretches, frames);
        for (std::size_t s = 0; s < stretches; ++s) {
            const std::size_t from = s * frames / stretches * sound->channels;
            const std::size_t to = (s + 1) * frames / stretches * sound->channels;
            const auto [low, high] = std::minmax_element(sound->samples.begin() + static_cast<std::ptrdiff_t>(from),
                                                         sound->samples.begin() + static_cast<std::ptrdiff_t>(to));
            peaks_.emplace_back(*low, *high);
        }
    }
    update();
}

void WaveformView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const double middle = height() / 2.0;
    p.setPen(palette().mid().color());
    p.drawLine(QPointF(0, middle), QPointF(width(), middle));
    if (peaks_.empty()) return;
    p.setPen(QColor(45, 110, 200));
    const double scale = (middle - 2) / 32768.0;
    for (int x = 0; x < width(); ++x) {
        const auto& [low, high] =
            peaks_[static_cast<std::size_t>(x) * peaks_.size() / static_cast<std::size_t>(width())];
        p.drawLine(QPointF(x + 0.5, middle - high * scale), QPointF(x + 0.5, middle - low * scale));
    }
}

}  // namespace drossel::ui
