#pragma once

#include <QString>

// The update check: asks the maker's application server for the newest build of this application,
// decides whether it is newer than the running one and made for this system, and offers the update page.
namespace QMWidgets {


// What a check found out.
enum class UpdateStatus {
    Newer,   // a newer build for this system exists
    Latest,  // the server answered; nothing newer for this system
    Unknown, // no usable build information arrived
};

// The real document is a few hundred bytes: a larger reply is taken as no information, neither read to
// its end nor parsed.
constexpr int MaxBuildInfoBytes = 64 * 1024;

// Server bases, a scheme and host to which the request paths are appended.
void setUpdateServers(const QString &primary, const QString &fallback);
QString primaryUpdateServer();
QString fallbackUpdateServer();
QString buildInfoPath();
QString updatePageUrl();

// One request to one server, given up after 7000 ms or past MaxBuildInfoBytes; empty on failure.
QString fetchBuildInfo(const QString &serverBase);
// The primary server's reply, or the fallback's when the primary's is empty.
QString fetchBuildInfoWithFallback();

// Unknown, without a look at the items, for a text of more than MaxBuildInfoBytes characters.
UpdateStatus updateStatus(const QString &buildInfo);
UpdateStatus checkForUpdate();
bool isNewerVersionAvailable();
bool isNewerVersionAvailable(const QString &buildInfo);
// The version text of the last document that named one.
QString newestVersionText();

// "00_" and the Windows version code in upper-case hexadecimal; "00_0" where the system is no Windows.
QString osVersionCode();
QString osVersionCode(int winVersion);
// Stands in for the running system's code; the empty text restores it.
void setOsVersionCode(const QString &code);

bool checkUpdatesSetting();
void setCheckUpdatesSetting(bool on);
QString lastUpdateCheckDate();
void setLastUpdateCheckDate(const QString &date);

} // namespace QMWidgets
