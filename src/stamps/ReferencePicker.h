#pragma once

#include "store/StoreError.h"

#include <QList>
#include <QObject>
#include <QStringList>

class ObjectContext;
class QFrame;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// One of the eleven reference pickers of the stamp forms: the list of a reference entity's texts,
// offered in a drop-down attached to a read-only text field. The drop-down opens on the field's
// value, so Enter keeps it; its first choice, "(None)", empties the field, as Delete and
// Backspace on the field do; typing while it is open narrows the choices to the texts that
// contain what was typed. The field changes only when a choice is made.
class ReferencePicker final : public QObject
{
    Q_OBJECT

public:
    struct Description
    {
        int tag;
        const char* pickerName; // "CountryPickerView"
        const char* listName;   // "ListOfCountries"
        const char* entityName; // "CountryList"
    };
    // In tag order, 1 to 11.
    static const QList<Description>& descriptions();

    ReferencePicker(const Description& description, QLineEdit* textField, QObject* parent);

    int tag() const { return m_description.tag; }
    const QStringList& list() const { return m_list; }
    QLineEdit* textField() const { return m_textField; }
    // The choices: "(None)", then the list's texts. Its objectName is the picker's name.
    QListWidget* pickerView() const { return m_pickerView; }
    // Above the choices, what the collector types to narrow them ("FilterField").
    QLineEdit* filterField() const { return m_filterField; }
    bool isOpen() const;

    // Fills the list with the entity's texts, sorted ascending. A failed fetch leaves it empty
    // and is handed back for the form to tell.
    StoreResult<> load(ObjectContext& context);

    int numberOfRows() const { return int(m_list.size()); }
    QString titleForRow(int row) const { return m_list.value(row); }

public Q_SLOTS:
    // Writes the text at that row of list() into the text field and closes the drop-down.
    void didSelectRow(int row);
    // Empties the text field and closes the drop-down.
    void clearChoice();
    // Opens the drop-down on the field's value, with every choice shown; nothing opens for an
    // empty list.
    void open();
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool fieldKeyPressed(const QKeyEvent& event);
    bool filterKeyPressed(QKeyEvent* event);
    void narrow(const QString& typed);
    void choose(const QListWidgetItem* item);

    Description m_description;
    QLineEdit* m_textField;
    QFrame* m_popup;
    QLineEdit* m_filterField;
    QListWidget* m_pickerView;
    QStringList m_list;
};
