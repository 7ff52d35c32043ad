#include "stamps/ReferencePicker.h"

#include "platform/core/Console.h"
#include "store/Model.h"
#include "store/ObjectContext.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace {

constexpr qreal RowFontSize = 16.0;
constexpr int VisibleRows = 7;

} // namespace

const QList<ReferencePicker::Description>& ReferencePicker::descriptions()
{
    static const QList<Description> all = {
        {1, "CenteredPickerView", "ListOfCentered", "CenteredList"},
        {2, "ConditionPickerView", "ListOfConditions", "ConditionList"},
        {3, "CountryPickerView", "ListOfCountries", "CountryList"},
        {4, "FaultPickerView", "ListOfFaults", "FaultsList"},
        {5, "GradePickerView", "ListOfGrades", "GradeList"},
        {6, "GumPickerView", "ListOfGums", "GumList"},
        {7, "MarginsPickerView", "ListOfMargins", "MarginList"},
        {8, "PaperPickerView", "ListOfPaper", "PaperList"},
        {9, "PerforationsPickerView", "ListOfPerforations", "PerforationList"},
        {10, "SeriesPickerView", "ListOfSeries", "SeriesList"},
        {11, "StatusPickerView", "ListOfStatus", "StatusList"},
    };
    return all;
}

ReferencePicker::ReferencePicker(const Description& description, QLineEdit* textField,
                                 QObject* parent)
    : QObject(parent), m_description(description), m_textField(textField),
      m_pickerView(new QListWidget(textField))
{
    setObjectName(QString::fromLatin1(description.pickerName));
    m_pickerView->setObjectName(QString::fromLatin1(description.pickerName));
    m_pickerView->setWindowFlags(Qt::Popup);
    QFont font = m_pickerView->font();
    font.setBold(true);
    font.setPointSizeF(RowFontSize);
    m_pickerView->setFont(font);
    connect(m_pickerView, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { didSelectRow(m_pickerView->row(item)); });
    connect(m_pickerView, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { didSelectRow(m_pickerView->row(item)); });

    // The field is filled by the drop-down instead of by typing.
    m_textField->setReadOnly(true);
    m_textField->setPlaceholderText(QStringLiteral("Choose…"));
    m_textField->installEventFilter(this);
}

void ReferencePicker::load(ObjectContext& context)
{
    m_list.clear();
    const EntityDescription* entity = Model::entity(QString::fromLatin1(m_description.entityName));
    const QString attribute = Model::referenceAttribute(*entity);
    StoreError error;
    const QList<ManagedObject*> entries =
        context.fetch({entity->name(), {}, {{attribute, true}}}, &error);
    if (!error.description.isEmpty())
        Console::printLine(error.description);
    for (const ManagedObject* entry : entries) {
        // An entry without a text has nothing to offer.
        const QVariant text = entry->value(0);
        if (text.isValid())
            m_list << text.toString();
    }
    m_pickerView->clear();
    for (const QString& text : std::as_const(m_list)) {
        auto* item = new QListWidgetItem(text, m_pickerView);
        item->setTextAlignment(Qt::AlignCenter);
    }
}

void ReferencePicker::didSelectRow(int row)
{
    if (row < 0 || row >= m_list.size())
        return;
    m_textField->setText(m_list.at(row));
    m_pickerView->hide();
}

void ReferencePicker::open()
{
    if (m_list.isEmpty())
        return;
    m_pickerView->setCurrentRow(0);
    m_pickerView->scrollToTop();
    const int rowHeight = std::max(m_pickerView->sizeHintForRow(0), 1);
    m_pickerView->resize(m_textField->width(),
                         rowHeight * std::min(VisibleRows, int(m_list.size())) + 4);
    m_pickerView->move(m_textField->mapToGlobal(QPoint(0, m_textField->height())));
    m_pickerView->show();
    m_pickerView->setFocus();
}

bool ReferencePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_textField) {
        if (event->type() == QEvent::MouseButtonRelease) {
            open();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Down || key == Qt::Key_Return ||
                key == Qt::Key_Enter) {
                open();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
