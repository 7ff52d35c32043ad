#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class ObjectContext;
class QLineEdit;
class QListWidget;

// One of the eleven reference pickers of the stamp forms: the list of a reference entity's texts,
// offered in a drop-down attached to a read-only text field. Opening it shows the first row;
// the field changes only when a row is chosen.
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
    // The drop-down; its objectName is the picker's name.
    QListWidget* pickerView() const { return m_pickerView; }

    // Fills the list with the entity's texts, sorted ascending. A failed fetch leaves it empty
    // and is written to the console.
    void load(ObjectContext& context);

    int numberOfRows() const { return int(m_list.size()); }
    QString titleForRow(int row) const { return m_list.value(row); }

public Q_SLOTS:
    // Writes the row's text into the text field and closes the drop-down.
    void didSelectRow(int row);
    void open();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Description m_description;
    QLineEdit* m_textField;
    QListWidget* m_pickerView;
    QStringList m_list;
};
