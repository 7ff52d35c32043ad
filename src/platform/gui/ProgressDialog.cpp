#include "platform/gui/ProgressDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>
#include <limits>

namespace {

int steps(qsizetype count)
{
    return int(std::clamp<qsizetype>(count, 0, std::numeric_limits<int>::max()));
}

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent, const QString& label)
    : m_parent(parent), m_label(label)
{}

ProgressDialog::~ProgressDialog()
{
    delete m_dialog.data();
}

bool ProgressDialog::advance(qsizetype done, qsizetype total)
{
    if (m_canceled)
        return false;
    if (!m_dialog && total > ShownAbove) {
        m_dialog =
            new QProgressDialog(m_label, QCoreApplication::translate("ProgressDialog", "Cancel"), 0,
                                steps(total), m_parent);
        m_dialog->setObjectName(QStringLiteral("ProgressDialog"));
        m_dialog->setWindowModality(m_parent ? Qt::WindowModal : Qt::ApplicationModal);
        m_dialog->setMinimumDuration(MinimumDurationMilliseconds);
        // One piece of work may come in several phases (building, then writing), each with its
        // own total: the dialog stays up between them.
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
    }
    if (m_dialog) {
        if (m_dialog->wasCanceled()) {
            m_canceled = true;
            return false;
        }
        if (m_dialog->maximum() != steps(total))
            m_dialog->setMaximum(steps(total));
        // Once shown, the window-modal dialog handles the events itself, its Cancel button too.
        m_dialog->setValue(std::min(steps(done), m_dialog->maximum()));
        m_canceled = m_dialog->wasCanceled();
    }
    if (!m_dialog || !m_dialog->isVisible()) {
        // Repaint, and let the dialog's timer show it, without taking the collector's clicks
        // on a screen that is busy.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return !m_canceled;
}

QProgressDialog* ProgressDialog::dialog() const
{
    return m_dialog;
}

std::function<bool(qsizetype, qsizetype)> ProgressDialog::callback()
{
    return [this](qsizetype done, qsizetype total) { return advance(done, total); };
}
