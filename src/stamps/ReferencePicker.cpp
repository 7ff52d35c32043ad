#include "stamps/ReferencePicker.h"

#include "app/TextTrimming.h"
#include "store/Model.h"
#include "store/ObjectContext.h"
#include "store/TextOrder.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

constexpr int VisibleRows = 7;
// Marks the "(None)" row among the rows of the list's texts, which hold their index.
constexpr int NoneRow = -1;

int listIndex(const QListWidgetItem* item)
{
    return item->data(Qt::UserRole).toInt();
}

} // namespace

const QList<ReferencePicker::Description>& ReferencePicker::descriptions()
{
    static const QList<Description> all = {
        {1, "CenteredPickerView", "ListOfCentered", &ReferenceEntries::Centering},
        {2, "ConditionPickerView", "ListOfConditions", &ReferenceEntries::Conditions},
        {3, "CountryPickerView", "ListOfCountries", &ReferenceEntries::Countries},
        {4, "FaultPickerView", "ListOfFaults", &ReferenceEntries::Faults},
        {5, "GradePickerView", "ListOfGrades", &ReferenceEntries::Grades},
        {6, "GumPickerView", "ListOfGums", &ReferenceEntries::Gum},
        {7, "MarginsPickerView", "ListOfMargins", &ReferenceEntries::Margins},
        {8, "PaperPickerView", "ListOfPaper", &ReferenceEntries::Paper},
        {9, "PerforationsPickerView", "ListOfPerforations", &ReferenceEntries::Perforations},
        {10, "SeriesPickerView", "ListOfSeries", &ReferenceEntries::Series},
        {11, "StatusPickerView", "ListOfStatus", &ReferenceEntries::Status},
    };
    return all;
}

ReferencePicker::ReferencePicker(const Description& description, QLineEdit* textField,
                                 Environment& environment, QObject* parent)
    : QObject(parent), m_description(description), m_textField(textField),
      m_environment(environment), m_popup(new QFrame(textField, Qt::Popup)),
      m_filterField(new QLineEdit(m_popup)), m_addHint(new QLabel(m_popup)),
      m_pickerView(new QListWidget(m_popup))
{
    setObjectName(QString::fromLatin1(description.pickerName));
    m_popup->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_filterField);
    layout->addWidget(m_addHint);
    layout->addWidget(m_pickerView);

    m_filterField->setObjectName(QStringLiteral("FilterField"));
    m_filterField->setPlaceholderText(tr("Type to narrow the choices"));
    m_filterField->setClearButtonEnabled(true);
    m_filterField->installEventFilter(this);
    connect(m_filterField, &QLineEdit::textEdited, this, &ReferencePicker::narrow);

    m_addHint->setObjectName(QStringLiteral("AddHint"));
    m_addHint->setWordWrap(true);
    m_addHint->setTextFormat(Qt::PlainText);
    m_addHint->hide();

    m_pickerView->setObjectName(QString::fromLatin1(description.pickerName));
    // The keys stay with the filter field, which hands the list its moves.
    m_pickerView->setFocusPolicy(Qt::NoFocus);
    connect(m_pickerView, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { choose(item); });

    // The field is filled by the drop-down instead of by typing.
    m_textField->setReadOnly(true);
    m_textField->setPlaceholderText(tr("Choose…"));
    m_textField->installEventFilter(this);
}

StoreResult<> ReferencePicker::load(ObjectContext& context)
{
    m_list.clear();
    const EntityDescription* entity =
        Model::entity(QString::fromLatin1(m_description.list->entityName));
    const QString attribute = Model::referenceAttribute(*entity);
    const StoreResult<QList<ManagedObject*>> entries =
        context.fetch({entity->name(), {}, {{attribute, true}}});
    for (const ManagedObject* entry : entries.valueOr({})) {
        // An entry without a text has nothing to offer.
        const QVariant text = entry->value(0);
        if (text.isValid())
            m_list << text.toString();
    }
    fillChoices();
    if (!entries)
        return Failure{entries.error()};
    return {};
}

void ReferencePicker::fillChoices()
{
    m_pickerView->clear();
    // Set apart from the entries, some of which are the text "None".
    auto* none = new QListWidgetItem(tr("(None)"), m_pickerView);
    none->setData(Qt::UserRole, NoneRow);
    none->setTextAlignment(Qt::AlignCenter);
    none->setToolTip(tr("Leave the field empty"));
    QFont italic = none->font();
    italic.setItalic(true);
    none->setFont(italic);
    for (qsizetype i = 0; i < m_list.size(); ++i) {
        auto* item = new QListWidgetItem(m_list.at(i), m_pickerView);
        item->setData(Qt::UserRole, int(i));
        item->setTextAlignment(Qt::AlignCenter);
    }
}

bool ReferencePicker::isOpen() const
{
    return m_popup->isVisible();
}

void ReferencePicker::didSelectRow(int row)
{
    if (row < 0 || row >= m_list.size())
        return;
    m_textField->setText(m_list.at(row));
    close();
}

void ReferencePicker::clearChoice()
{
    m_textField->clear();
    close();
}

void ReferencePicker::choose(const QListWidgetItem* item)
{
    if (!item) {
        // Nothing chosen (the field's value is not in the list): the field keeps it.
        close();
        return;
    }
    const int index = listIndex(item);
    if (index == NoneRow)
        clearChoice();
    else
        didSelectRow(index);
}

void ReferencePicker::addTyped()
{
    const QString typed = m_filterField->text();
    // Closed first: the drop-down holds the keys and the mouse, which the alerts need.
    close();
    const std::optional<QString> added =
        ReferenceEntries::addOrTell(m_environment, *m_description.list, typed, m_list);
    if (!added) {
        m_refusedText = typed;
        return;
    }
    // In the store's order, as load() would fetch it.
    m_list.insert(std::upper_bound(m_list.cbegin(), m_list.cend(), *added, TextOrder::lessThan),
                  *added);
    fillChoices();
    m_textField->setText(*added);
}

void ReferencePicker::open()
{
    // The rows in the text field's font, bold as a picker's rows have always been.
    QFont font = m_textField->font();
    m_filterField->setFont(font);
    font.setBold(true);
    m_pickerView->setFont(font);

    // What the list refused to take last time is there again, to be corrected.
    const QString typed = std::exchange(m_refusedText, QString());
    m_filterField->setText(typed);
    narrow(QString());
    // On the field's value: the "(None)" row for an empty field; a value the list does not hold
    // (one stored before its entry was renamed) has no row, and Enter keeps it all the same.
    const QString value = m_textField->text();
    QListWidgetItem* current = nullptr;
    if (value.isEmpty())
        current = m_pickerView->item(0);
    else if (const qsizetype index = m_list.indexOf(value); index >= 0)
        current = m_pickerView->item(int(index) + 1);
    m_pickerView->setCurrentItem(current);
    if (!current)
        m_pickerView->clearSelection();
    narrow(typed);

    const int rowHeight = std::max(m_pickerView->sizeHintForRow(0), 1);
    const int rows = std::min(VisibleRows, int(m_pickerView->count()));
    m_pickerView->setFixedHeight(rowHeight * rows + 2 * m_pickerView->frameWidth());
    m_popup->resize(m_textField->width(), m_popup->height());
    fitPopupHeight();
    QPoint at = m_textField->mapToGlobal(QPoint(0, m_textField->height()));
    // Above the field when the screen has no room below it.
    if (const QScreen* screen = m_textField->screen();
        screen && at.y() + m_popup->height() > screen->availableGeometry().bottom())
        at.setY(m_textField->mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
    m_popup->move(at);
    m_popup->show();
    if (current)
        m_pickerView->scrollToItem(current, QAbstractItemView::PositionAtCenter);
    else
        m_pickerView->scrollToTop();
    m_filterField->setFocus(Qt::PopupFocusReason);
}

void ReferencePicker::close()
{
    if (!m_popup->isVisible())
        return;
    m_popup->hide();
    m_textField->setFocus(Qt::PopupFocusReason);
}

void ReferencePicker::fitPopupHeight()
{
    const int width = m_popup->width();
    m_popup->resize(width, m_popup->hasHeightForWidth() ? m_popup->heightForWidth(width)
                                                        : m_popup->sizeHint().height());
}

void ReferencePicker::narrow(const QString& typed)
{
    const QString wanted = typed.trimmed();
    QListWidgetItem* firstShown = nullptr;
    for (int row = 0; row < m_pickerView->count(); ++row) {
        QListWidgetItem* item = m_pickerView->item(row);
        // "(None)" is no text to match: it goes while a narrowing is typed. Spaces alone match
        // nothing: there is nothing in them to look for.
        const bool shown = typed.isEmpty() || (listIndex(item) != NoneRow && !wanted.isEmpty() &&
                                               item->text().contains(wanted, Qt::CaseInsensitive));
        item->setHidden(!shown);
        if (shown && !firstShown)
            firstShown = item;
    }

    // Nothing matches: Enter adds what was typed, which the hint says as it would be stored.
    const bool offersToAdd = !typed.isEmpty() && !firstShown;
    if (offersToAdd) {
        m_addHint->setText(tr("No match: press Enter to add \"%1\" to %2")
                               .arg(TextTrimming::trimSpacesAndTabs(typed),
                                    ReferenceEntries::title(*m_description.list)));
    }
    if (offersToAdd == m_addHint->isHidden()) {
        m_addHint->setHidden(!offersToAdd);
        if (m_popup->isVisible())
            fitPopupHeight();
    }

    QListWidgetItem* current = m_pickerView->currentItem();
    if (!typed.isEmpty() && (!current || current->isHidden())) {
        // Enter takes the first match.
        m_pickerView->setCurrentItem(firstShown);
        if (!firstShown)
            m_pickerView->clearSelection();
    }
}

bool ReferencePicker::fieldKeyPressed(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Space:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        open();
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        clearChoice();
        return true;
    default:
        break;
    }
    // A letter typed on the closed picker opens it, narrowed to that letter.
    const QString text = event.text();
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) ||
        text.isEmpty() || !text.at(0).isPrint())
        return false;
    open();
    if (!isOpen())
        return false;
    m_filterField->setText(text);
    narrow(text);
    return true;
}

bool ReferencePicker::filterKeyPressed(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_addHint->isHidden())
            choose(m_pickerView->currentItem());
        else
            addTyped();
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Moves through the shown choices; the list skips the hidden ones.
        QApplication::sendEvent(m_pickerView, event);
        return true;
    default:
        return false;
    }
}

bool ReferencePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_textField) {
        if (event->type() == QEvent::MouseButtonRelease) {
            open();
            return true;
        }
        // Delete and Backspace belong to the field while it has the keys, before any shortcut.
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier &&
                (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace)) {
                event->accept();
                return true;
            }
        }
        if (event->type() == QEvent::KeyPress)
            return fieldKeyPressed(*static_cast<QKeyEvent*>(event));
    }
    if (watched == m_filterField && event->type() == QEvent::KeyPress)
        return filterKeyPressed(static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}
