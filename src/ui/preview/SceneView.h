#pragma once
// A scene in 3D through OpenGL: textured where it has textures, lit by its
// vertex colours where it has them and shaded by its faces' slant otherwise,
// back faces culled but for double-sided materials, blending materials drawn
// last. The left button orbits, the right or middle one (or Shift and the left)
// pans, the wheel zooms; F or Home frames it all. A scene is uploaded on the
// user-interface thread when it is first drawn, and dropped from the graphics
// card when another one comes.

#include "ui/preview/SceneDrawing.h"

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPoint>
#include <QVector3D>
#include <memory>
#include <vector>

class QOpenGLShaderProgram;
class QOpenGLTexture;
class QOpenGLVertexArrayObject;

namespace drossel::ui {

// What lies on the graphics card: the triangles and vertices uploaded, and the textures.
struct UploadedCounts {
    std::size_t triangles = 0;
    std::size_t vertices = 0;
    std::size_t textures = 0;
};

class SceneView : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT

public:
    explicit SceneView(QWidget* parent);
    ~SceneView() override;

    // nullptr: nothing to draw.
    void SetScene(std::shared_ptr<const DrawableScene> scene);
    // The whole scene in view, seen from the front, a little from one side and from above.
    void FrameAll();

    UploadedCounts uploaded() const { return uploaded_; }
    double uploadMilliseconds() const { return uploadMilliseconds_; }
    // How far the eye is from what it looks at, and that distance against the one that frames it all.
    float distance() const;
    float zoom() const { return zoom_; }

signals:
    // Nothing can be drawn: the context or the shaders failed, and why.
    void failed(const QString& why);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Batch {
        QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer indices{QOpenGLBuffer::IndexBuffer};
        int count = 0;
        int texture = -1;
        bool doubleSided = false, blend = false, coloured = false;
    };
    void Upload();
    void Release();
    QMatrix4x4 Projection() const;
    QMatrix4x4 ViewMatrix() const;
    QVector3D Eye() const;

    std::shared_ptr<const DrawableScene> scene_;
    const DrawableScene* onCard_ = nullptr;  // the scene whose batches are uploaded
    std::vector<std::unique_ptr<Batch>> batches_;
    std::vector<std::unique_ptr<QOpenGLTexture>> textures_;
    std::unique_ptr<QOpenGLShaderProgram> program_;
    std::unique_ptr<QOpenGLVertexArrayObject> vao_;
    UploadedCounts uploaded_;
    double uploadMilliseconds_ = 0;
    bool broken_ = false;

    QVector3D target_;
    float radius_ = 1, zoom_ = 1;
    float yaw_ = 0, pitch_ = 0;  // degrees; yaw 0 looks at the front (+z) of the scene
    QPoint lastMouse_;
};

}  // namespace drossel::ui
