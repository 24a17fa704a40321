#include "support/coresupport.h"

#include "common/indexing.h"
#include "settings/snapshot.h"
#include "tracks/slottable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace drovex::test {

ConfigValues defaultConfigValues(const QString& name)
{
    ConfigValues v;
    v.settings = defaultSnapshot();
    if (!name.isEmpty())
        v.settings.text[7] = name;
    for (int n = 1; n <= kSlotCount; ++n)
        at(v.slotValues, n - 1) = SlotTable::defaultPath(n);
    return v;
}

QStringList texts(std::initializer_list<const char*> literals)
{
    QStringList list;
    for (const char* literal : literals)
        list << QString::fromUtf8(literal);
    return list;
}

bool makePermissionsBite()
{
    if (geteuid() != 0)
        return true;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        data[cap / 32].effective &= ~(1u << (cap % 32));
        data[cap / 32].permitted &= ~(1u << (cap % 32));
        data[cap / 32].inheritable &= ~(1u << (cap % 32));
    }
    return syscall(SYS_capset, &header, data) == 0;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

bool writeStandInEmulator(const QString& path, const QByteArray& banner, int seconds, int status)
{
    const QByteArray script = "#!/bin/sh\necho started >> \"$0.starts\"\n/bin/sleep " + QByteArray::number(seconds) +
                              "\n[ \"$1\" = --version ] || exit 9\n/bin/cat <<'END'\n" + banner + "\nEND\nexit " +
                              QByteArray::number(status) + "\n";
    return writeFile(path, script) && QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
}

QString lineWith(const QStringList& lines, const QString& key)
{
    for (const QString& l : lines)
        if (l.startsWith(key + QLatin1Char(' ')) || l.startsWith(QLatin1Char(';') + key + QLatin1Char(' ')))
            return l;
    return {};
}

QString lineWith(const QByteArray& file, const QString& key)
{
    return lineWith(QString::fromLatin1(file).remove(QLatin1Char('\r')).split(QLatin1Char('\n')), key);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

PipeGuard::PipeGuard(QStringList pipes, int graceMs)
    : m_pipes(std::move(pipes))
    , m_grace(graceMs)
{
    for (const QString& p : m_pipes) {
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile::remove(p);
        if (::mkfifo(QFile::encodeName(p).constData(), 0644) != 0)
            m_made = false;
    }
    m_thread = std::thread([this] { watch(); });
}

PipeGuard::~PipeGuard()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void PipeGuard::watch()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_wake.wait_for(lock, std::chrono::milliseconds(m_grace), [this] { return m_stop; }))
        return;
    while (!m_stop) {
        // Opening for writing without waiting succeeds only while a reader holds the pipe.
        for (const QString& p : m_pipes) {
            const int fd = ::open(QFile::encodeName(p).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_blocked = true;
                ::close(fd);
            }
        }
        m_wake.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_stop; });
    }
}

} // namespace drovex::test
