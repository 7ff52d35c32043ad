#pragma once

#include "app/ReferenceEntries.h"
#include "store/StoreError.h"

#include <QList>
#include <QObject>
#include <QStringList>

class ObjectContext;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
struct Environment;

// One of the eleven reference pickers of the stamp forms: the list of a reference entity's texts,
// offered in a drop-down attached to a read-only text field. The drop-down opens on the field's
// value, so Enter keeps it; its first choice, "(None)", empties the field, as Delete and
// Backspace on the field do; typing while it is open narrows the choices to the texts that
// contain what was typed. When none does, Enter adds what was typed to the reference list, as
// the list's own add screen would, and picks it. The field changes only when a choice is made.
class ReferencePicker final : public QObject
{
    Q_OBJECT

public:
    struct Description
    {
        int tag;
        const char* pickerName;             // "CountryPickerView"
        const char* listName;               // "ListOfCountries"
        const ReferenceEntries::List* list; // the countries
    };
    // In tag order, 1 to 11.
    static const QList<Description>& descriptions();

    ReferencePicker(const Description& description, QLineEdit* textField, Environment& environment,
                    QObject* parent);

    int tag() const { return m_description.tag; }
    const QStringList& list() const { return m_list; }
    QLineEdit* textField() const { return m_textField; }
    // The choices: "(None)", then the list's texts. Its objectName is the picker's name.
    QListWidget* pickerView() const { return m_pickerView; }
    // Above the choices, what the collector types to narrow them ("FilterField").
    QLineEdit* filterField() const { return m_filterField; }
    // Below the filter while nothing matches what was typed, offering to add it ("AddHint").
    QLabel* addHint() const { return m_addHint; }
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
    // Opens the drop-down on the field's value, with every choice shown, also for an empty list,
    // to which a value can be added.
    void open();
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool fieldKeyPressed(const QKeyEvent& event);
    bool filterKeyPressed(QKeyEvent* event);
    void narrow(const QString& typed);
    void choose(const QListWidgetItem* item);
    void addTyped();
    void fillChoices();
    void fitPopupHeight();

    Description m_description;
    QLineEdit* m_textField;
    Environment& m_environment;
    QFrame* m_popup;
    QLineEdit* m_filterField;
    QLabel* m_addHint;
    QListWidget* m_pickerView;
    QStringList m_list;
    // What the list refused to take, shown again when the drop-down next opens.
    QString m_refusedText;
};
