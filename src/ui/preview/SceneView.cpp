#include "ui/preview/SceneView.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QOpenGLVertexArrayObject>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace drossel::ui {
namespace {

constexpr float kFieldOfView = 40;  // degrees, vertical
constexpr float kDegrees = 3.14159265f / 180;

const char* const kVertexShader = R"(
attribute highp vec3 position;
attribute highp vec2 texCoord;
attribute lowp vec4 colour;
uniform highp mat4 view;
uniform highp mat4 projection;
varying highp vec2 uv;
varying lowp vec4 tint;
varying highp vec3 seen;
void main() {
    vec4 p = view * vec4(position, 1.0);
    seen = p.xyz;
    uv = texCoord;
    tint = colour;
    gl_Position = projection * p;
}
)";

// A face is shaded by how squarely it faces the viewer: its normal comes from
// the slopes of its position across the screen.
const char* const kFragmentShader = R"(
uniform sampler2D picture;
uniform bool textured;
uniform bool blend;
uniform bool shaded;
varying highp vec2 uv;
varying lowp vec4 tint;
varying highp vec3 seen;
void main() {
    vec4 c = tint;
    if (textured) c *= texture2D(picture, uv);
    if (shaded) {
        vec3 n = normalize(cross(dFdx(seen), dFdy(seen)));
        c.rgb *= 0.35 + 0.65 * abs(n.z);
    }
    if (!blend) c.a = 1.0;
    gl_FragColor = c;
}
)";

}  // namespace

SceneView::SceneView(QWidget* parent) : QOpenGLWidget(parent) {
    setObjectName(QStringLiteral("SceneView"));
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QStringLiteral("Left button: orbit; right or middle button: pan; wheel: zoom; F: frame all"));
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    format.setSamples(4);
    setFormat(format);
}

SceneView::~SceneView() {
    if (context() != nullptr) {
        disconnect(context(), nullptr, this, nullptr);  // the context goes after this part of the view
        makeCurrent();
        Release();
        vao_.reset();
        program_.reset();
        doneCurrent();
    }
}

void SceneView::SetScene(std::shared_ptr<const DrawableScene> scene) {
    scene_ = std::move(scene);
    if (onCard_ != nullptr && context() != nullptr) {
        makeCurrent();
        Release();
        doneCurrent();
    }
    FrameAll();
}

void SceneView::FrameAll() {
    if (scene_) {
        const QVector3D low(scene_->low[0], scene_->low[1], scene_->low[2]);
        const QVector3D high(scene_->high[0], scene_->high[1], scene_->high[2]);
        target_ = (low + high) / 2;
        radius_ = std::max((high - low).length() / 2, 0.001f);
    }
    yaw_ = 30;
    pitch_ = 20;
    zoom_ = 1;
    update();
}

float SceneView::distance() const {
    // The sphere around the scene fits the narrower of the two fields of view.
    const float aspect = static_cast<float>(std::max(width(), 1)) / static_cast<float>(std::max(height(), 1));
    const float half = std::atan(std::tan(kFieldOfView / 2 * kDegrees) * std::min(aspect, 1.0f));
    return radius_ / std::sin(half) * 1.05f * zoom_;
}

void SceneView::initializeGL() {
    // The context may be new (the dock floated, say): what was uploaded went with the old one.
    batches_.clear();
    textures_.clear();
    onCard_ = nullptr;
    uploaded_ = {};
    if (!context()->isValid()) {
        broken_ = true;
        emit failed(QStringLiteral("no OpenGL context could be made"));
        return;
    }
    initializeOpenGLFunctions();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        Release();
        vao_.reset();
        program_.reset();
        doneCurrent();
    });
    program_ = std::make_unique<QOpenGLShaderProgram>();
    program_->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader);
    program_->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader);
    program_->bindAttributeLocation("position", 0);
    program_->bindAttributeLocation("texCoord", 1);
    program_->bindAttributeLocation("colour", 2);
    if (!program_->link()) {
        broken_ = true;
        emit failed(QStringLiteral("its shaders do not build here: ") + program_->log().trimmed());
        return;
    }
    vao_ = std::make_unique<QOpenGLVertexArrayObject>();
    vao_->create();  // needed by core profiles; where it cannot be made, none is needed
    broken_ = false;
}

void SceneView::Upload() {
    QElapsedTimer timer;
    timer.start();
    Release();
    for (const QImage& image : scene_->textures) {
        auto texture = std::make_unique<QOpenGLTexture>(image, QOpenGLTexture::GenerateMipMaps);
        texture->setMinificationFilter(QOpenGLTexture::LinearMipMapLinear);
        texture->setMagnificationFilter(QOpenGLTexture::Linear);
        texture->setWrapMode(QOpenGLTexture::Repeat);
        textures_.push_back(std::move(texture));
    }
    for (const DrawBatch& b : scene_->batches) {
        auto batch = std::make_unique<Batch>();
        batch->vertices.create();
        batch->vertices.bind();
        batch->vertices.allocate(b.vertices.data(), static_cast<int>(b.vertices.size() * sizeof(DrawVertex)));
        batch->indices.create();
        batch->indices.bind();
        batch->indices.allocate(b.indices.data(), static_cast<int>(b.indices.size() * sizeof(std::uint32_t)));
        batch->count = static_cast<int>(b.indices.size());
        batch->texture = b.texture;
        batch->doubleSided = b.doubleSided;
        batch->blend = b.blend;
        batch->coloured = b.coloured;
        uploaded_.triangles += b.indices.size() / 3;
        uploaded_.vertices += b.vertices.size();
        batches_.push_back(std::move(batch));
    }
    uploaded_.textures = textures_.size();
    glFinish();
    onCard_ = scene_.get();
    uploadMilliseconds_ = static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void SceneView::Release() {
    batches_.clear();
    textures_.clear();
    onCard_ = nullptr;
    uploaded_ = {};
}

void SceneView::resizeGL(int, int) {}

QVector3D SceneView::Eye() const {
    const float yaw = yaw_ * kDegrees, pitch = pitch_ * kDegrees;
    const QVector3D towards(std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch));
    return target_ + towards * distance();
}

QMatrix4x4 SceneView::ViewMatrix() const {
    QMatrix4x4 m;
    m.lookAt(Eye(), target_, QVector3D(0, 1, 0));
    return m;
}

QMatrix4x4 SceneView::Projection() const {
    // Near and far around what the scene holds, whether the eye is outside it or within.
    const float far = distance() + radius_ * 2;
    const float near = std::max(distance() - radius_ * 1.5f, far / 10000);
    QMatrix4x4 m;
    m.perspective(kFieldOfView, static_cast<float>(std::max(width(), 1)) / static_cast<float>(std::max(height(), 1)),
                  near, far);
    return m;
}

void SceneView::paintGL() {
    glClearColor(0.22f, 0.24f, 0.27f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (broken_ || !scene_ || !program_) return;
    if (onCard_ != scene_.get()) Upload();
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    QOpenGLVertexArrayObject::Binder vao(vao_.get());
    program_->bind();
    program_->setUniformValue("view", ViewMatrix());
    program_->setUniformValue("projection", Projection());
    program_->setUniformValue("picture", 0);
    for (const auto& batch : batches_) {
        if (batch->doubleSided) {
            glDisable(GL_CULL_FACE);
        } else {
            glEnable(GL_CULL_FACE);
        }
        if (batch->blend) {
            glEnable(GL_BLEND);
        } else {
            glDisable(GL_BLEND);
        }
        glDepthMask(batch->blend ? GL_FALSE : GL_TRUE);
        const bool textured = batch->texture >= 0;
        if (textured) textures_[static_cast<std::size_t>(batch->texture)]->bind(0);
        program_->setUniformValue("textured", textured);
        program_->setUniformValue("blend", batch->blend);
        program_->setUniformValue("shaded", !batch->coloured);
        batch->vertices.bind();
        program_->enableAttributeArray(0);
        program_->enableAttributeArray(1);
        program_->enableAttributeArray(2);
        program_->setAttributeBuffer(0, GL_FLOAT, offsetof(DrawVertex, x), 3, sizeof(DrawVertex));
        program_->setAttributeBuffer(1, GL_FLOAT, offsetof(DrawVertex, u), 2, sizeof(DrawVertex));
        program_->setAttributeBuffer(2, GL_UNSIGNED_BYTE, offsetof(DrawVertex, colour), 4, sizeof(DrawVertex));
        batch->indices.bind();
        glDrawElements(GL_TRIANGLES, batch->count, GL_UNSIGNED_INT, nullptr);
        if (textured) textures_[static_cast<std::size_t>(batch->texture)]->release(0);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    program_->release();
}

void SceneView::mousePressEvent(QMouseEvent* event) {
    lastMouse_ = event->position().toPoint();
}

void SceneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QPoint moved = at - lastMouse_;
    lastMouse_ = at;
    const Qt::MouseButtons buttons = event->buttons();
    const bool pan = (buttons & (Qt::RightButton | Qt::MiddleButton)) != 0 ||
                     ((buttons & Qt::LeftButton) != 0 && (event->modifiers() & Qt::ShiftModifier) != 0);
    if (pan) {
        // The point under the mouse stays under it, at the target's depth.
        const float perPixel =
            2 * distance() * std::tan(kFieldOfView / 2 * kDegrees) / static_cast<float>(std::max(height(), 1));
        const QMatrix4x4 view = ViewMatrix();
        const QVector3D right(view(0, 0), view(0, 1), view(0, 2)), up(view(1, 0), view(1, 1), view(1, 2));
        target_ += (-right * static_cast<float>(moved.x()) + up * static_cast<float>(moved.y())) * perPixel;
    } else if ((buttons & Qt::LeftButton) != 0) {
        yaw_ -= static_cast<float>(moved.x()) * 0.5f;
        pitch_ = std::clamp(pitch_ + static_cast<float>(moved.y()) * 0.5f, -89.0f, 89.0f);
    } else {
        return;
    }
    update();
}

void SceneView::wheelEvent(QWheelEvent* event) {
    const float steps = static_cast<float>(event->angleDelta().y()) / 120;
    zoom_ = std::clamp(zoom_ * std::pow(0.85f, steps), 0.01f, 100.0f);
    update();
}

void SceneView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F || event->key() == Qt::Key_Home) {
        FrameAll();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

}  // namespace drossel::ui
