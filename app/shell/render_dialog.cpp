#include "app/shell/render_dialog.hpp"

#include <QCloseEvent>
#include <array>

namespace rz::app {
namespace {

constexpr std::array<const char*, 4> kSpinner{"-", "*", "|", "/"};

}  // namespace

QString ProgressSpinner::text(int percent) {
    if (percent != last_) {
        last_ = percent;
        turns_ = 0;
    } else {
        ++turns_;
    }
    return QStringLiteral("Work in progress: %1 %  ( %2 ) ")
        .arg(percent)
        .arg(QString::fromLatin1(kSpinner[turns_ % kSpinner.size()]));
}

RenderDialog::RenderDialog(QWidget* parent) : QProgressDialog(parent) {
    setObjectName(QStringLiteral("62"));
    setWindowTitle(QStringLiteral("レンダリング実行中（「ｷｬﾝｾﾙ」で中断）"));
    setCancelButtonText(QStringLiteral("ｷｬﾝｾﾙ"));
    setWindowModality(Qt::ApplicationModal);
    setRange(0, 100);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    // The button asks for a stop; the dialog stays until the worker has ended.
    disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
    connect(this, &QProgressDialog::canceled, this, [this] {
        if (cancel_ != nullptr) (*cancel_)();
        setLabelText(QStringLiteral("レンダリング実行中"));
    });
    // Queued: the worker emits, the window's thread shows.
    connect(this, &RenderDialog::progressed, this, &RenderDialog::show, Qt::QueuedConnection);
    connect(
        this, &RenderDialog::ended, this, [this] { done(0); }, Qt::QueuedConnection);
    // A progress dialog shows itself a while after it is made unless it is reset; this one
    // waits for a render.
    reset();
}

void RenderDialog::wait(const std::function<void()>& cancel) {
    cancel_ = &cancel;
    ended_ = false;
    spinner_ = {};
    // Setting the bar lets a modal dialog serve its events: the end may come already.
    setValue(0);
    setLabelText(spinner_.text(0));
    if (!ended_) exec();
    // The bar's own timer would show the dialog again later.
    reset();
    hide();
    cancel_ = nullptr;
}

void RenderDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit canceled();
}

void RenderDialog::show(int percent) {
    setValue(percent);
    setLabelText(spinner_.text(percent));
}

}  // namespace rz::app
