#pragma once
// Makes previews on a thread of its own, one at a time. A request replaces the
// one still waiting, so moving quickly through the tree decodes only what is
// selected when the thread gets to it, and the tree never waits. Pictures are
// turned into images there too, and scenes made ready to draw; results come
// back on the receiver's thread.

#include "app/Preview.h"
#include "convert/Options.h"
#include "ui/preview/SceneDrawing.h"

#include <QImage>
#include <QList>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class QObject;

namespace drossel {
class Level;
}

namespace drossel::ui {

struct ShownPicture {
    QString name;
    QImage image;
};

// A preview ready to be drawn: the core's, with its pictures as images.
struct ShownPreview {
    std::uint64_t request = 0;
    Preview preview;  // its pixel buffers already turned into the images below
    QImage picture;
    QList<ShownPicture> pictures;
    std::shared_ptr<const PcmSound> sound;
    QList<std::shared_ptr<const DrawableScene>> scenes;
};

// The picture as an image, top row first.
QImage ImageOf(const PixelBuffer& pixels);

class PreviewWorker {
public:
    using Deliver = std::function<void(std::shared_ptr<ShownPreview>)>;
    // `deliver` runs on the thread of `receiver`, unless the receiver is gone by then.
    PreviewWorker(QObject* receiver, Deliver deliver);
    ~PreviewWorker();
    PreviewWorker(const PreviewWorker&) = delete;
    PreviewWorker& operator=(const PreviewWorker&) = delete;

    // The level is read on the worker's thread only: it must be a Level of its own.
    void Request(std::uint64_t request, std::shared_ptr<const Level> level, std::int32_t index, const Options& options);

private:
    struct Job {
        std::uint64_t request;
        std::shared_ptr<const Level> level;
        std::int32_t index;
        Options options;
    };
    void Run();

    QObject* receiver_;
    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> waiting_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace drossel::ui
