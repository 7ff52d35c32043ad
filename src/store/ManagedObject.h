#pragma once

#include "store/Model.h"

#include <QVariant>
#include <vector>

class ObjectContext;

// One record of the store as the screens see it: attribute values by name or index, where an
// absent text or picture is an invalid QVariant (distinct from the empty text). Objects are made
// and owned by their ObjectContext, one object per row, and stay valid as long as the context.
class ManagedObject
{
public:
    virtual ~ManagedObject() = default;
    ManagedObject(const ManagedObject&) = delete;
    ManagedObject& operator=(const ManagedObject&) = delete;

    const EntityDescription& entity() const { return *m_entity; }
    // The context the object belongs to; nullptr once its deletion is saved or its insertion
    // rolled back.
    ObjectContext* managedObjectContext() const { return m_context; }

    QVariant value(const QString& key) const;
    QVariant value(int attributeIndex) const;
    // Changes the attribute named `key`; an unknown key is refused with a console line.
    void setValue(const QString& key, const QVariant& value);
    void setValue(int attributeIndex, const QVariant& value);

    bool isInserted() const { return m_inserted; }
    bool isUpdated() const { return m_updated; }
    bool isDeleted() const { return m_deleted; }
    // Whether a value read on demand (the picture) has been read from the store yet.
    bool isAttributeLoaded(const QString& key) const;
    // Lets go of a value read on demand, so a long list does not keep every picture it has shown;
    // it is read again when next asked for. A value with unsaved changes is kept.
    void releaseAttribute(const QString& key);
    // The row's key in the store; 0 while the object has never been saved.
    qint64 rowId() const { return m_rowId; }

    // A text as the store keeps it: never null (the empty text stays a text, not absent), and
    // well-formed UTF-16, each lone surrogate replaced by U+FFFD. SQLite would otherwise pair a
    // lone high surrogate with the character after it, losing that character.
    static QString storedText(const QString& text);

protected:
    ManagedObject(const EntityDescription& entity, ObjectContext* context);

private:
    friend class ObjectContext;

    static QVariant coerced(AttributeType type, const QVariant& value);

    const EntityDescription* m_entity;
    ObjectContext* m_context;
    qint64 m_rowId = 0;
    // Orders objects that share a sort key: the row key once saved, after every saved row before.
    qint64 m_order = 0;
    mutable std::vector<QVariant> m_values;
    mutable std::vector<bool> m_loaded;
    // The values as last saved, kept from the first unsaved change so that rollback can restore
    // them.
    std::vector<QVariant> m_committed;
    std::vector<bool> m_committedLoaded;
    bool m_inserted = false;
    bool m_updated = false;
    bool m_deleted = false;
};
