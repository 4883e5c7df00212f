#pragma once
// A sound's waveform: for each of a fixed number of stretches of the sound,
// the lowest and highest sample of all its channels, drawn across the width.

#include <QWidget>
#include <cstdint>
#include <utility>
#include <vector>

namespace drossel {
struct PcmSound;
}

namespace drossel::ui {

class WaveformView : public QWidget {
    Q_OBJECT

public:
    explicit WaveformView(QWidget* parent);

    void SetSound(const PcmSound* sound);
    // The lowest and highest sample of each stretch; empty without a sound.
    const std::vector<std::pair<std::int16_t, std::int16_t>>& peaks() const { return peaks_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::pair<std::int16_t, std::int16_t>> peaks_;
};

}  // namespace drossel::ui
