#include "ui/preview/ScenePage.h"

#include "ui/preview/SceneView.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace drossel::ui {

ScenePage::ScenePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ScenePreview"));
    auto* frame = new QPushButton(QStringLiteral("Frame All"), this);
    frame->setObjectName(QStringLiteral("cmdPreviewFrameAll"));
    frame->setToolTip(QStringLiteral("Show the whole of it (F)"));
    parts_ = new QComboBox(this);
    parts_->setObjectName(QStringLiteral("cboPreviewPart"));
    parts_->setToolTip(QStringLiteral("The group shown; the export writes each"));
    stack_ = new QStackedWidget(this);
    fallback_ = new QLabel(stack_);
    fallback_->setObjectName(QStringLiteral("lblSceneFallback"));
    fallback_->setWordWrap(true);
    fallback_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    fallback_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    stack_->addWidget(fallback_);
    connect(frame, &QPushButton::clicked, this, [this] {
        if (view_ != nullptr) view_->FrameAll();
    });
    connect(parts_, &QComboBox::activated, this, &ScenePage::ShowScene);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(frame);
    buttons->addWidget(parts_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(stack_, 1);
}

bool ScenePage::OpenGLAvailable() {
    static const bool available = [] {
        // The offscreen platform may make contexts, but cannot show a widget drawn with one.
        if (QGuiApplication::platformName() == QStringLiteral("offscreen")) return false;
        QOpenGLContext context;
        if (!context.create()) return false;
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
        context.doneCurrent();
        return true;
    }();
    return available;
}

void ScenePage::SetScenes(QList<std::shared_ptr<const DrawableScene>> scenes) {
    scenes_ = std::move(scenes);
    parts_->clear();
    for (const auto& scene : scenes_) parts_->addItem(scene->part);
    parts_->setVisible(scenes_.size() > 1);
    if (view_ == nullptr && noOpenGL_.isEmpty()) {
        if (OpenGLAvailable()) {
            view_ = new SceneView(stack_);
            stack_->addWidget(view_);
            stack_->setCurrentWidget(view_);
            connect(view_, &SceneView::failed, this, &ScenePage::ShowWithoutOpenGL);
        } else {
            noOpenGL_ = QStringLiteral("this display offers no OpenGL");
        }
    }
    ShowScene(0);
}

void ScenePage::Clear() {
    scenes_.clear();
    parts_->clear();
    if (view_ != nullptr) view_->SetScene(nullptr);
}

void ScenePage::ShowScene(int which) {
    if (which < 0 || which >= scenes_.size()) return;
    const auto& scene = scenes_[which];
    parts_->setCurrentIndex(which);
    if (noOpenGL_.isEmpty()) {
        view_->SetScene(scene);
    } else {
        fallback_->setText(QStringLiteral("No 3D view: %1.\n\n%2").arg(noOpenGL_, scene->facts));
    }
    emit factsChanged(scene->facts);
}

void ScenePage::ShowWithoutOpenGL(const QString& why) {
    noOpenGL_ = why;
    stack_->setCurrentWidget(fallback_);
    if (view_ != nullptr) {
        view_->deleteLater();
        view_ = nullptr;
    }
    ShowScene(parts_->currentIndex());
}

}  // namespace drossel::ui
