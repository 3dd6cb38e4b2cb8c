#include "app/shell/gl_preview.hpp"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <algorithm>

#include "db/current_records.hpp"
#include "db/system_variables.hpp"
#include "render/gl_view_modes.hpp"

namespace rz::app {
namespace {

constexpr double kNear = 10.0;
constexpr double kFar = 1e8;

QSurfaceFormat previewFormat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    // 24 bits: what the X servers' visuals offer where 32 are asked for.
    f.setDepthBufferSize(24);
    return f;
}

void lightOnce() {
    const GLfloat position[] = {1.0f, 1.0f, 1.0f, 0.0f};
    const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat specular[] = {0.4f, 0.4f, 0.4f, 1.0f};
    const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
}

void defaultMaterial() {
    const GLfloat specular[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat diffuse[] = {1.0f, 1.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
}

void setMaterial(const render::GlMaterial& m) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient.data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
}

// Grey, red-green-blue and red-green-blue-alpha images, by map image kind.
GLenum pixelFormat(std::uint16_t kind) {
    return kind == db::kColorMap24 ? GL_RGB : kind == db::kColorMap32 ? GL_RGBA : GL_LUMINANCE;
}

float unit(float v) {
    return std::clamp(v / 255.0f, 0.0f, 1.0f);
}

}  // namespace

GlPreview::GlPreview(workstation::Workstation& w, QWidget& area, std::function<void()> redraw)
    : QOpenGLWidget(&area), w_(w), area_(area), redraw_(std::move(redraw)) {
    setObjectName("realtime");
    setFormat(previewFormat());
    hide();
    area_.installEventFilter(this);
}

GlPreview::~GlPreview() {
    area_.removeEventFilter(this);
    QObject::disconnect(contextGone_);
    makeCurrent();
    releaseGl();
    doneCurrent();
}

void GlPreview::setRealTime(bool on) {
    if (on == realTime_) return;
    realTime_ = on;
    w_.views.previewOwnsWindow = on;
    if (on) {
        setGeometry(area_.rect());
        show();
        raise();
        refresh();
        return;
    }
    hide();
    redraw_();
}

void GlPreview::refresh() {
    if (!realTime_) return;
    rebuildIfChanged();
    update();
}

void GlPreview::rebuildIfChanged() {
    const int mode = w_.renderer.state.glViewMode;
    const std::uint64_t digest = render::glSceneDigest(w_.interp, mode);
    if (built_ && digest == digest_) return;
    render::buildGlScene(scene_, w_.interp, mode);
    // Building can mend the model (a block id of 0); the digest is taken after it.
    digest_ = render::glSceneDigest(w_.interp, mode);
    built_ = true;
    uploaded_ = false;
    ++builds_;
}

void GlPreview::initializeGL() {
    // A new context (the first, or after the widget moved to another window) has none of
    // the old one's lists and textures.
    list_ = 0;
    textures_.clear();
    uploaded_ = false;
    QObject::disconnect(contextGone_);
    contextGone_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        releaseGl();
        doneCurrent();
    });
    lightOnce();
}

void GlPreview::releaseGl() {
    if (context() == nullptr) return;
    if (list_ != 0) glDeleteLists(list_, 1);
    list_ = 0;
    for (unsigned t : textures_)
        if (t != 0) glDeleteTextures(1, &t);
    textures_.clear();
    uploaded_ = false;
}

void GlPreview::upload() {
    releaseGl();
    const db::Database& db = w_.db;
    textures_.assign(static_cast<std::size_t>(std::max(db.mapdataCount, 1)), 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (const render::GlBatch& b : scene_.batches) {
        if (!render::glMapImageUsable(db, b.image) ||
            static_cast<std::size_t>(b.image) >= textures_.size() || textures_[b.image] != 0)
            continue;
        const db::Mapdata& d = db.mapdatas[b.image];
        GLuint t = 0;
        glGenTextures(1, &t);
        glBindTexture(GL_TEXTURE_2D, t);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, d.width, d.height, 0, pixelFormat(d.kind),
                     GL_UNSIGNED_BYTE, db.textureBuffer.data() + d.offset);
        textures_[b.image] = t;
    }
    const std::vector<render::GlVertex>& v = scene_.vertices;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    constexpr GLsizei kStride = sizeof(render::GlVertex);
    glVertexPointer(3, GL_FLOAT, kStride, v.empty() ? nullptr : v[0].position.data());
    glNormalPointer(GL_FLOAT, kStride, v.empty() ? nullptr : v[0].normal.data());
    glTexCoordPointer(2, GL_FLOAT, kStride, v.empty() ? nullptr : &v[0].u);
    list_ = glGenLists(1);
    glNewList(list_, GL_COMPILE);
    glCullFace(GL_BACK);
    glPolygonMode(GL_FRONT, scene_.lines ? GL_LINE : GL_FILL);
    for (const render::GlBatch& b : scene_.batches) {
        setMaterial(b.material);
        glFrontFace(b.frontClockwise ? GL_CW : GL_CCW);
        if (b.cullBack)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
        const bool textured = b.image > 0 && static_cast<std::size_t>(b.image) < textures_.size() &&
                              textures_[b.image] != 0;
        if (textured) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, textures_[b.image]);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        glDrawArrays(GL_TRIANGLES, static_cast<GLint>(b.first), static_cast<GLsizei>(b.count));
    }
    glDisable(GL_TEXTURE_2D);
    glEndList();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    uploaded_ = true;
}

void GlPreview::paintGL() {
    script::Interp& in = w_.interp;
    db::putCameraRecord(in);
    const db::Camera& c = w_.db.camera;
    const qreal ratio = devicePixelRatio();
    const render::GlViewport vp =
        render::glViewport(w_.renderer.state.glViewSize, static_cast<int>(width() * ratio),
                           static_cast<int>(height() * ratio));
    glViewport(vp.x, vp.y, vp.width, vp.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(c.zoom, vp.height > 0 ? static_cast<double>(vp.width) / vp.height : 1.0, kNear,
                   kFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(c.pos[0], c.pos[1], c.pos[2], c.tar[0], c.tar[1], c.tar[2], c.upper[0], c.upper[1],
              c.upper[2]);
    glFrontFace(GL_CCW);
    const Vec3& back = db::vectorVar(in, db::SysVar::CbufColor);
    // Opaque: the window system draws the widget over the view area with its alpha, and a
    // clear alpha of 0 would show the area below instead of the background colour.
    glClearColor(unit(back[0]), unit(back[1]), unit(back[2]), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    defaultMaterial();
    if (!uploaded_) upload();
    glCallList(list_);
    glFinish();
}

bool GlPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &area_ && event->type() == QEvent::Resize) setGeometry(area_.rect());
    return QOpenGLWidget::eventFilter(watched, event);
}

}  // namespace rz::app
