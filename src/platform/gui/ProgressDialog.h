#pragma once

#include <QPointer>
#include <QString>
#include <QtGlobal>
#include <functional>

class QProgressDialog;
class QWidget;

// Long work told in a cancellable progress dialog, window-modal over the screen that started it.
// Short work shows nothing; the dialog closes when this goes.
class ProgressDialog final
{
public:
    // Work of more steps than this gets the dialog.
    static constexpr qsizetype ShownAbove = 200;
    // Work that ends sooner than this never shows the dialog, so a quick report does not flash.
    static constexpr int MinimumDurationMilliseconds = 400;

    ProgressDialog(QWidget* parent, const QString& label);
    ~ProgressDialog();
    Q_DISABLE_COPY_MOVE(ProgressDialog)

    // `done` of `total` steps. Keeps the window painted; false once the collector has cancelled.
    bool advance(qsizetype done, qsizetype total);
    // advance() as a progress callback (a WorkProgress); valid while this lives.
    std::function<bool(qsizetype done, qsizetype total)> callback();

    bool wasCanceled() const { return m_canceled; }
    // Null until the work turned out long.
    QProgressDialog* dialog() const;

private:
    QPointer<QWidget> m_parent;
    QString m_label;
    QPointer<QProgressDialog> m_dialog;
    bool m_canceled = false;
};
