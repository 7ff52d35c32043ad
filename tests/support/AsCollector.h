#pragma once

#include <QString>
#include <functional>

// Runs `check` with the rights of an ordinary user, so that file permissions apply as they do to
// a collector: as root (who may write anything) in a forked process that has given up root, and
// otherwise right here. `check` returns what went wrong, or an empty text.
QString runAsCollector(const std::function<QString()>& check);

// Makes `path` writable or read-only for an ordinary user: for the owner when tests run as one,
// for everyone else when they run as root.
bool setWritableByCollector(const QString& path, bool writable);
