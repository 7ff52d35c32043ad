#pragma once

#include "platform/gui/PrintPanel.h"

#include <QStringList>
#include <QTextDocument>

// Keeps the plain text of every report offered for printing, and answers each at once as the
// test says: printed, or cancelled by the collector.
class RecordingPrintPanel final : public PrintPanel
{
public:
    void present(QWidget* parent, const QTextDocument& report, Completion done) override
    {
        Q_UNUSED(parent)
        m_texts.append(report.toPlainText());
        done(m_printsJobs);
    }

    void setPrintsJobs(bool printsJobs) { m_printsJobs = printsJobs; }
    // The text of each report, oldest first.
    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
    bool m_printsJobs = false;
};
