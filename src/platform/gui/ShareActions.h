#pragma once

#include "platform/gui/MailComposer.h"
#include "platform/gui/ShareSheet.h"

#include <QList>
#include <QString>
#include <QUrl>

class QClipboard;
class QPrinter;

// What the share sheet's dialog offers, in the order of its buttons.
enum class ShareAction
{
    Save,
    Copy,
    Mail,
    Open,
    Print,
};

// The work behind the share sheet's buttons, usable without the dialog. A failure's reason is a
// text for the collector.
namespace ShareActions {

// Not excluded by the request and sensible for its items; nothing for a request without items.
QList<ShareAction> offered(const ShareRequest& request);

// A name for the save dialog: "Text.txt", "Picture.jpg", "Address.txt", or the file's own name.
QString suggestedFileName(const ShareItem& item);

// A text or a web address as UTF-8; a picture as PNG when the path ends in .png, JPEG otherwise;
// a file copied.
// The destination is replaced only once the whole content is written.
Result<void> save(const ShareItem& item, const QString& path);

// Texts (and the content of text files and the web addresses) as one text, the first picture, and
// the files' and web addresses as links.
Result<void> copy(const QList<ShareItem>& items, QClipboard& clipboard);

// Texts and web addresses as the body, pictures (JPEG) and files as attachments.
Result<MailMessage> buildMail(const QList<ShareItem>& items);

// An address the desktop can open: a web address itself, a local file, or a text or picture
// written to a file first.
Result<QUrl> openableUrl(const ShareItem& item);

// What a local file holds, judged by its content and name.
enum class FileContent
{
    Text,
    Picture,
    Pdf,
    Other,
};
FileContent fileContent(const QString& path);

// A text, a web address, a picture, a PDF, a picture file or a text file.
bool canPrint(const ShareItem& item);
// All items in one job, each starting on a new page.
Result<void> print(const QList<ShareItem>& items, QPrinter& printer);

} // namespace ShareActions
