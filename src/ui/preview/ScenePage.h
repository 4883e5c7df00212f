#pragma once
// The preview's page for models, weapons, characters and levels: the scene in
// 3D (SceneView), a "Frame All" button, and for a character whose export
// writes every group a choice of the group shown (group 1 first). Where no
// OpenGL context can be had, the page says so and gives the scene's counts.

#include "ui/preview/SceneDrawing.h"

#include <QList>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QStackedWidget;

namespace drossel::ui {

class SceneView;

class ScenePage : public QWidget {
    Q_OBJECT

public:
    explicit ScenePage(QWidget* parent);

    // The scenes of one resource; the first is shown.
    void SetScenes(QList<std::shared_ptr<const DrawableScene>> scenes);
    void Clear();
    // The 3D view; nullptr until a scene is shown, and where there is no OpenGL.
    SceneView* view() const { return view_; }

    // Whether an OpenGL context can be made on this display (asked once).
    static bool OpenGLAvailable();

signals:
    // The facts of the scene now shown (SceneFactsText).
    void factsChanged(const QString& facts);

private:
    void ShowScene(int which);
    void ShowWithoutOpenGL(const QString& why);

    QList<std::shared_ptr<const DrawableScene>> scenes_;
    QComboBox* parts_;
    QStackedWidget* stack_;
    QLabel* fallback_;
    SceneView* view_ = nullptr;
    QString noOpenGL_;  // why there is no 3D view; empty while there may be one
};

}  // namespace drossel::ui
