#include "sharing/RateShareTableViewController.h"

#include "app/Environment.h"
#include "platform/core/Console.h"
#include "platform/gui/Alert.h"
#include "platform/gui/MailComposer.h"
#include "platform/gui/MessageCapability.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/SymbolIcons.h"
#include "platform/gui/TextRowDelegate.h"
#include "platform/gui/UrlOpener.h"
#include "sharing/VelloraAddresses.h"

#include <QKeyEvent>
#include <QListView>
#include <QStandardItemModel>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <algorithm>

namespace {

struct RowContent
{
    const char* symbol;
    const char* title;
    const char* toolTip;
};

// In the order of RateShareTableViewController::Row.
constexpr RowContent Rows[] = {
    {"star", QT_TRANSLATE_NOOP("RateShareTableViewController", "Rate Vellora"),
     QT_TRANSLATE_NOOP("RateShareTableViewController",
                       "Write a review of Vellora on its store page")},
    {"link", QT_TRANSLATE_NOOP("RateShareTableViewController", "Recommend Vellora"),
     QT_TRANSLATE_NOOP("RateShareTableViewController",
                       "Pass the link to Vellora's store page on to a friend")},
    {"text.bubble", QT_TRANSLATE_NOOP("RateShareTableViewController", "Recommend the Website"),
     QT_TRANSLATE_NOOP("RateShareTableViewController",
                       "Pass a few words and the Vellora website on to a friend")},
    {"globe", QT_TRANSLATE_NOOP("RateShareTableViewController", "Visit the Vellora Website"),
     QT_TRANSLATE_NOOP("RateShareTableViewController", "Open the Vellora website in your browser")},
    {"envelope", QT_TRANSLATE_NOOP("RateShareTableViewController", "Send Feedback"),
     QT_TRANSLATE_NOOP("RateShareTableViewController",
                       "Write to the makers of Vellora from your mail program")},
};
static_assert(std::size(Rows) == RateShareTableViewController::RowCount);

} // namespace

RateShareTableViewController::RateShareTableViewController(Environment& environment,
                                                           QObject* parent)
    : ViewController(QStringLiteral("RateShareTableViewController"), parent),
      productURL(VelloraAddresses::productPage()),
      instructions(tr("Click the following link to visit the Vellora App website")),
      website(VelloraAddresses::website()), feedbackAddress{VelloraAddresses::feedbackMailbox()},
      m_environment(environment), m_model(new QStandardItemModel(this))
{
    setTitle(tr("Rate & Share"));
    for (const RowContent& content : Rows) {
        auto* item = new QStandardItem(SymbolIcons::icon(QString::fromLatin1(content.symbol)),
                                       tr(content.title));
        item->setToolTip(tr(content.toolTip));
        item->setEditable(false);
        m_model->appendRow(item);
    }
}

QUrl RateShareTableViewController::reviewAddress(const QUrl& productPage)
{
    QUrl address = productPage;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("action"), QStringLiteral("write-review"));
    address.setQuery(query);
    return address;
}

void RateShareTableViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    tableView = new QListView(view);
    tableView->setObjectName(QStringLiteral("tableView"));
    tableView->setModel(m_model);
    // Room for a bold line of text and its symbol, whatever the font's size.
    const int rowHeight = std::max(56, tableView->fontMetrics().height() * 3);
    tableView->setItemDelegate(new TextRowDelegate(rowHeight, -1, tableView));
    tableView->setUniformItemSizes(true);
    tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Clicks here, Enter and Return in eventFilter: one activation each, whatever the style's
    // idea of activating by a single click.
    connect(tableView, &QListView::clicked, this,
            [this](const QModelIndex& index) { didSelectRowAtIndexPath(index.row()); });
    tableView->installEventFilter(this);
    layout->addWidget(tableView);
}

void RateShareTableViewController::viewDidLoad()
{
    tableView->setCurrentIndex(m_model->index(0, 0));
    tableView->setFocus();
}

bool RateShareTableViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tableView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            tableView->currentIndex().isValid()) {
            didSelectRowAtIndexPath(tableView->currentIndex().row());
            return true;
        }
    }
    return ViewController::eventFilter(watched, event);
}

void RateShareTableViewController::didSelectRowAtIndexPath(int row)
{
    // The row only starts its action; it does not stay chosen.
    if (tableView)
        tableView->clearSelection();
    switch (row) {
    case RateRow:
        rate();
        return;
    case RecommendByLinkRow:
        recommend({ShareItem::fromAddress(productURL)});
        return;
    case RecommendWithWebsiteRow:
        recommend({ShareItem::fromText(instructions), ShareItem::fromAddress(website)});
        return;
    case VisitWebsiteRow:
        open(website);
        return;
    case FeedbackRow:
        sendFeedback();
        return;
    default:
        return;
    }
}

void RateShareTableViewController::rate()
{
    const QUrl address = reviewAddress(productURL);
    if (!address.isValid()) {
        Console::printLine(QStringLiteral("No review page: \"%1\" is not a valid address (%2)")
                               .arg(address.toString(), address.errorString()));
        return;
    }
    open(address);
}

void RateShareTableViewController::open(const QUrl& address)
{
    m_environment.services.urls.open(address);
}

void RateShareTableViewController::recommend(const QList<ShareItem>& items)
{
    if (!m_environment.services.messages.canSendText()) {
        tell(tr("Can't Send Text Message"), tr("Your Device is not able to send text messages."));
        return;
    }
    m_environment.services.shareSheet.present(ShareRequest{items, {}, view()});
}

void RateShareTableViewController::sendFeedback()
{
    MailComposer& mail = m_environment.services.mail;
    if (!mail.canSendMail()) {
        tell(tr("Can't Send Email"), tr("Your Device is not able to send Email."));
        return;
    }
    MailMessage message;
    message.toRecipients = feedbackAddress;
    message.body = QStringLiteral("<p>") + tr("Enter your comments about Vellora app below: ") +
                   QStringLiteral("</p>");
    message.bodyIsHtml = true;
    if (const Result<void> handed = mail.present(message); !handed)
        // The collector can still write, from the mail program by hand.
        tell(tr("Could Not Mail"),
             tr("%1\nYou can write to %2 from your mail program.")
                 .arg(handed.error(), feedbackAddress.join(QStringLiteral(", "))));
}

void RateShareTableViewController::tell(const QString& title, const QString& message)
{
    m_environment.services.alerts.present(
        Alert{title, message, {AlertAction{tr("OK"), AlertAction::Style::Cancel, {}}}});
}
