#include "ui/preview/PreviewWorker.h"

#include "level/Level.h"
#include "ui/LevelText.h"

#include <QMetaObject>
#include <QObject>
#include <utility>

namespace drossel::ui {

QImage ImageOf(const PixelBuffer& pixels) {
    if (pixels.width() <= 0 || pixels.height() <= 0) return {};
    // Blue, green, red, alpha in memory is ARGB32 on a little-endian machine.
    const QImage rows(pixels.bytes().data(), pixels.width(), pixels.height(), pixels.width() * 4,
                      QImage::Format_ARGB32);
    return rows.mirrored(false, true);  // a copy, top row first
}

PreviewWorker::PreviewWorker(QObject* receiver, Deliver deliver)
    : receiver_(receiver), deliver_(std::move(deliver)), thread_([this] { Run(); }) {}

PreviewWorker::~PreviewWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    wake_.notify_one();
    thread_.join();
}

void PreviewWorker::Request(std::uint64_t request, std::shared_ptr<const Level> level, std::int32_t index,
                            const Options& options) {
    {
        const std::lock_guard lock(mutex_);
        waiting_ = Job{request, std::move(level), index, options};
    }
    wake_.notify_one();
}

void PreviewWorker::Run() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
            if (stopping_) return;
            job = std::move(*waiting_);
            waiting_.reset();
        }
        auto shown = std::make_shared<ShownPreview>();
        shown->request = job.request;
        shown->preview = PreviewOf(*job.level, job.index, job.options);
        auto& content = shown->preview.content;
        if (auto* picture = std::get_if<PixelBuffer>(&content)) {
            shown->picture = ImageOf(*picture);
            content = std::monostate{};
        } else if (auto* pictures = std::get_if<std::vector<NamedPicture>>(&content)) {
            for (const NamedPicture& p : *pictures) shown->pictures.push_back({LevelText(p.name), ImageOf(p.pixels)});
            content = std::monostate{};
        } else if (auto* sound = std::get_if<PreviewSound>(&content)) {
            shown->sound = std::make_shared<const PcmSound>(std::move(sound->pcm));
        } else if (auto* scenes = std::get_if<std::vector<ResourceScene>>(&content)) {
            for (const ResourceScene& scene : *scenes)
                shown->scenes.append(std::make_shared<const DrawableScene>(DrawableOf(scene)));
            content = std::monostate{};
        }
        job.level.reset();  // a level closed meanwhile goes with its last preview
        QMetaObject::invokeMethod(
            receiver_, [deliver = deliver_, shown = std::move(shown)] { deliver(shown); }, Qt::QueuedConnection);
    }
}

}  // namespace drossel::ui
