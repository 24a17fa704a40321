#include "common/paths.h"
#include "launch/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>

namespace drovex {
namespace {

class PosixPlatform final : public Platform {
public:
    QString shortPath(const QString& path) const override { return resolveIgnoringCase(path); }

    bool lockFile(const QString& path) const override
    {
        QFile f(path);
        if (!f.exists())
            return false;
        auto p = f.permissions();
        p &= ~(QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther);
        return f.setPermissions(p);
    }

    bool unlockFile(const QString& path) const override
    {
        QFile f(path);
        if (!f.exists())
            return false;
        return f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    }

    QStringList drives() const override
    {
        QStringList roots;
        for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
            if (!v.isValid() || !v.isReady())
                continue;
            const QString root = v.rootPath();
            if (!roots.contains(root))
                roots << root;
        }
        std::sort(roots.begin(), roots.end());
        return roots;
    }

    StartResult startDetached(const QString& program, const QStringList& arguments,
                              const QString& folder) const override
    {
        StartResult r;
        if (program.isEmpty()) {
            r.reason = QStringLiteral("no program path is set");
            return r;
        }
        const QFileInfo fi(program);
        if (!fi.exists()) {
            r.reason = QStringLiteral("the file does not exist");
            return r;
        }
        if (fi.isDir()) {
            r.reason = QStringLiteral("it is a folder, not a program");
            return r;
        }
        if (!fi.isExecutable()) {
            r.reason = QStringLiteral("the file is not executable");
            return r;
        }
        QProcess process;
        process.setProgram(fi.absoluteFilePath());
        process.setArguments(arguments);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            process.setWorkingDirectory(folder);
        qint64 pid = 0;
        if (!process.startDetached(&pid)) {
            r.reason = QStringLiteral("the system could not start it");
            return r;
        }
        r.ok = true;
        r.pid = pid;
        return r;
    }
};

} // namespace

const Platform& systemPlatform()
{
    static const PosixPlatform platform;
    return platform;
}

QString ShortPath(const QString& path) { return systemPlatform().shortPath(path); }

} // namespace drovex
