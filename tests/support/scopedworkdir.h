#ifndef SCOPEDWORKDIR_H
#define SCOPEDWORKDIR_H

#include <QDir>
#include <QTemporaryDir>

// Runs the scope in a fresh temporary working directory, so "kalocfg.ini" and exported files
// never leak between tests; the previous directory comes back afterwards.
class ScopedWorkDir
{
public:
    ScopedWorkDir() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~ScopedWorkDir() { QDir::setCurrent(previous); }
    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;

    QString path() const { return dir.path(); }
    QString filePath(const QString& name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
    QString previous;
};

#endif // SCOPEDWORKDIR_H
