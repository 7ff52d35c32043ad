#include "platform/gui/ShareSheet.h"

#include "platform/core/Console.h"
#include "platform/core/WorkProgress.h"
#include "platform/gui/MailComposer.h"
#include "platform/gui/ShareActions.h"
#include "platform/gui/UrlOpener.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <functional>

QString ShareItem::text() const
{
    const QString* text = std::get_if<QString>(&content);
    return text ? *text : QString();
}

QImage ShareItem::picture() const
{
    const QImage* picture = std::get_if<QImage>(&content);
    return picture ? *picture : QImage();
}

QUrl ShareItem::fileUrl() const
{
    const QUrl* url = std::get_if<QUrl>(&content);
    return url ? *url : QUrl();
}

QUrl ShareItem::address() const
{
    const WebAddress* address = std::get_if<WebAddress>(&content);
    return address ? address->url : QUrl();
}

namespace {

constexpr int iconSize = 48;

QListWidgetItem* listEntry(const ShareItem& item)
{
    switch (item.kind()) {
    case ShareItem::Kind::Text: {
        const QString firstLine = item.text().section(QLatin1Char('\n'), 0, 0);
        auto* entry = new QListWidgetItem(firstLine.size() > 80 ? firstLine.left(79) + QChar(0x2026)
                                                                : firstLine);
        entry->setToolTip(item.text());
        return entry;
    }
    case ShareItem::Kind::Picture: {
        const QImage picture = item.picture();
        auto* entry =
            new QListWidgetItem(QCoreApplication::translate("ShareSheet", "Picture, %1 \u00d7 %2")
                                    .arg(picture.width())
                                    .arg(picture.height()));
        entry->setIcon(QIcon(QPixmap::fromImage(
            picture.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
        return entry;
    }
    case ShareItem::Kind::Address: {
        auto* entry = new QListWidgetItem(item.address().toDisplayString());
        entry->setToolTip(item.address().toDisplayString());
        return entry;
    }
    case ShareItem::Kind::File:
        break;
    }
    const QFileInfo file(item.fileUrl().toLocalFile());
    auto* entry = new QListWidgetItem(QFileIconProvider().icon(file), file.fileName());
    entry->setToolTip(QDir::toNativeSeparators(file.absoluteFilePath()));
    return entry;
}

// The dialog only wires its buttons to ShareActions, where the work is done.
class ShareSheetDialog final : public QDialog
{
    Q_DISABLE_COPY_MOVE(ShareSheetDialog)

public:
    ShareSheetDialog(const ShareRequest& request, MailComposer& mail, UrlOpener& urls,
                     QWidget* parent)
        : QDialog(parent), m_items(request.items), m_mail(mail), m_urls(urls)
    {
        setWindowTitle(QCoreApplication::translate("ShareSheet", "Share"));
        auto* layout = new QVBoxLayout(this);
        auto* list = new QListWidget(this);
        list->setObjectName(QStringLiteral("shareItems"));
        list->setIconSize(QSize(iconSize, iconSize));
        list->setSelectionMode(QAbstractItemView::NoSelection);
        for (const ShareItem& item : m_items)
            list->addItem(listEntry(item));
        layout->addWidget(list);

        auto* actions = new QHBoxLayout;
        const QList<ShareAction> offered = ShareActions::offered(request);
        for (const Button& button : buttons()) {
            if (!offered.contains(button.action))
                continue;
            auto* push = new QPushButton(button.title, this);
            push->setObjectName(button.objectName);
            push->setAutoDefault(false);
            connect(push, &QPushButton::clicked, this,
                    [this, button] { run(button.failureTitle, button.work); });
            actions->addWidget(push);
            if (button.action == ShareAction::Mail && !m_mail.canSendMail()) {
                push->setEnabled(false);
                push->setToolTip(QCoreApplication::translate(
                    "ShareSheet", "No mail program is set up on this computer."));
            }
        }
        layout->addLayout(actions);

        auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
        connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(close);
    }

private:
    // Done or cancelled by the collector, or why it could not be done.
    using Work = Result<WorkEnd> (ShareSheetDialog::*)();

    struct Button
    {
        ShareAction action;
        QString title;
        QString objectName;
        QString failureTitle;
        Work work;
    };

    static QList<Button> buttons()
    {
        return {
            {ShareAction::Save, QCoreApplication::translate("ShareSheet", "Save to File\u2026"),
             QStringLiteral("saveButton"),
             QCoreApplication::translate("ShareSheet", "Could Not Save"), &ShareSheetDialog::save},
            {ShareAction::Copy, QCoreApplication::translate("ShareSheet", "Copy"),
             QStringLiteral("copyButton"),
             QCoreApplication::translate("ShareSheet", "Could Not Copy"), &ShareSheetDialog::copy},
            {ShareAction::Mail, QCoreApplication::translate("ShareSheet", "Mail\u2026"),
             QStringLiteral("mailButton"),
             QCoreApplication::translate("ShareSheet", "Could Not Mail"), &ShareSheetDialog::mail},
            {ShareAction::Open, QCoreApplication::translate("ShareSheet", "Open"),
             QStringLiteral("openButton"),
             QCoreApplication::translate("ShareSheet", "Could Not Open"),
             &ShareSheetDialog::openItems},
            {ShareAction::Print, QCoreApplication::translate("ShareSheet", "Print\u2026"),
             QStringLiteral("printButton"),
             QCoreApplication::translate("ShareSheet", "Could Not Print"),
             &ShareSheetDialog::print},
        };
    }

    void run(const QString& failureTitle, Work work)
    {
        const Result<WorkEnd> done = (this->*work)();
        if (!done)
            QMessageBox::warning(this, failureTitle, done.error());
        else if (*done == WorkEnd::Finished)
            accept();
    }

    // What a share that cannot be cancelled hands back: finished, or why it failed.
    static Result<WorkEnd> finishedOr(const Result<void>& done)
    {
        if (!done)
            return Failure{done.error()};
        return WorkEnd::Finished;
    }

    Result<WorkEnd> save()
    {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        for (const ShareItem& item : m_items) {
            const QString name = ShareActions::suggestedFileName(item);
            QString filter;
            if (item.kind() == ShareItem::Kind::Text)
                filter = QCoreApplication::translate("ShareSheet", "Text (*.txt)");
            else if (item.kind() == ShareItem::Kind::Picture)
                filter = QCoreApplication::translate(
                    "ShareSheet", "JPEG picture (*.jpg *.jpeg);;PNG picture (*.png)");
            const QString path = QFileDialog::getSaveFileName(
                this, QCoreApplication::translate("ShareSheet", "Save %1").arg(name),
                QDir(folder).filePath(name), filter);
            if (path.isEmpty())
                return WorkEnd::Cancelled;
            if (Result<void> saved = ShareActions::save(item, path); !saved)
                return Failure{saved.error()};
        }
        return WorkEnd::Finished;
    }

    Result<WorkEnd> copy()
    {
        return finishedOr(ShareActions::copy(m_items, *QGuiApplication::clipboard()));
    }

    Result<WorkEnd> mail()
    {
        const Result<MailMessage> message = ShareActions::buildMail(m_items);
        if (!message)
            return Failure{message.error()};
        return finishedOr(m_mail.present(*message));
    }

    Result<WorkEnd> openItems()
    {
        QList<QUrl> urls;
        for (const ShareItem& item : m_items) {
            const Result<QUrl> url = ShareActions::openableUrl(item);
            if (!url)
                return Failure{url.error()};
            urls.append(*url);
        }
        // The opener tells what the desktop then cannot open.
        for (const QUrl& url : std::as_const(urls))
            m_urls.open(url);
        return WorkEnd::Finished;
    }

    Result<WorkEnd> print()
    {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return WorkEnd::Cancelled;
        return finishedOr(ShareActions::print(m_items, printer));
    }

    QList<ShareItem> m_items;
    MailComposer& m_mail;
    UrlOpener& m_urls;
};

} // namespace

DialogShareSheet::DialogShareSheet(MailComposer& mail, UrlOpener& urls, QWidget* defaultParent)
    : m_mail(mail), m_urls(urls), m_defaultParent(defaultParent)
{}

QDialog* DialogShareSheet::createDialog(const ShareRequest& request, QWidget* parent) const
{
    return new ShareSheetDialog(request, m_mail, m_urls, parent);
}

void DialogShareSheet::present(const ShareRequest& request)
{
    if (request.items.isEmpty()) {
        Console::printLine(QStringLiteral("The share sheet was asked to share nothing."));
        return;
    }
    QWidget* parent = request.sourceView ? request.sourceView->window() : m_defaultParent.data();
    QDialog* dialog = createDialog(request, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
