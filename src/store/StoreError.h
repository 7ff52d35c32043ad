#pragma once

#include "platform/core/Result.h"

#include <QString>
#include <QVariantMap>

class QSqlError;

// What went wrong in the store: a description and the details behind it (file, SQLite code).
struct StoreError
{
    QString description;
    QVariantMap userInfo;

    // The one way a failure SQLite reported becomes a StoreError: "<what>: <SQLite's text>" (just
    // SQLite's text when `what` is empty), with SQLite's code and the file as details.
    static StoreError from(const QString& what, const QSqlError& sqlError, const QString& path);
    // A failure found by the store itself, about the store file at path.
    static StoreError at(const QString& description, const QString& path);

    // The details as one line, "{key = value; key = value}", for messages and the console.
    QString userInfoText() const;
};

QString describeFailure(const StoreError& error);

// What a store operation gives back; StoreResult<> for one that gives nothing but success.
template <class T = void> using StoreResult = Result<T, StoreError>;
