#include "platform/serial_port.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QStringList>
#include <vector>

namespace {

bool processHasGroup(gid_t gid) {
    if (getegid() == gid) return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<size_t>(i)] == gid) return true;
    return false;
}

// Membership as the account database records it, which a new login session would get.
bool accountHasGroup(const passwd* account, gid_t gid) {
    if (!account) return false;
    if (account->pw_gid == gid) return true;
    int count = 64;
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::vector<gid_t> groups(static_cast<size_t>(count));
        int n = count;
        if (getgrouplist(account->pw_name, account->pw_gid, groups.data(), &n) >= 0) {
            for (int i = 0; i < n; ++i)
                if (groups[static_cast<size_t>(i)] == gid) return true;
            return false;
        }
        count = n > count ? n : count * 4;
    }
    return false;
}

}  // namespace

DeviceAccessFacts gatherAccessFacts(const QString& device) {
    DeviceAccessFacts facts;
    const QByteArray path = device.toLocal8Bit();
    facts.accessible = access(path.constData(), R_OK | W_OK) == 0;
    const passwd* account = getpwuid(getuid());
    if (account) facts.user = QString::fromLocal8Bit(account->pw_name);
    struct stat info {};
    if (stat(path.constData(), &info) != 0) return facts;
    if (const group* owner = getgrgid(info.st_gid))
        facts.group = QString::fromLocal8Bit(owner->gr_name);
    facts.groupMayUse = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
    facts.processInGroup = processHasGroup(info.st_gid);
    facts.userInGroup = accountHasGroup(account, info.st_gid);
    return facts;
}

SerialOpenCause diagnosePermission(const DeviceAccessFacts& facts) {
    if (facts.accessible) return SerialOpenCause::InUse;
    // Joining the group would not help: it may not use the device, or this process has it
    // already and something else refuses. The system's reason is all there is to say.
    if (!facts.groupMayUse || facts.processInGroup) return SerialOpenCause::Other;
    if (facts.userInGroup) return SerialOpenCause::GroupNotActive;
    return SerialOpenCause::NoAccess;
}

QString defaultSerialGroup() {
    if (getgrnam("dialout")) return QStringLiteral("dialout");
    if (getgrnam("uucp")) return QStringLiteral("uucp");
    return QStringLiteral("dialout");
}

std::optional<SerialSettings> parseSerialSettings(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) return std::nullopt;
    SerialSettings settings;
    bool ok = false;
    settings.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || settings.baud <= 0) return std::nullopt;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity)) return std::nullopt;
    settings.parity = parity[0].toLatin1();
    settings.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || settings.dataBits < 5 || settings.dataBits > 8) return std::nullopt;
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        settings.stopBitsTimesTwo = 2;
    else if (stop == QLatin1String("1.5"))
        settings.stopBitsTimesTwo = 3;
    else if (stop == QLatin1String("2"))
        settings.stopBitsTimesTwo = 4;
    else
        return std::nullopt;
    return settings;
}
