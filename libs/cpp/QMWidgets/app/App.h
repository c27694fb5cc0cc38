#pragma once

#include <QApplication>
#include <QDate>
#include <QMap>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QVariant>

class QRect;
class QSettings;

class QDialog;

namespace QMWidgets {

class BlenderWidget;
enum class UpdateStatus;

// The application object of every program of the framework: identity, the one settings store,
// standard directories, build date, language, editions and the last directories of the file dialogs.
class App : public QApplication
{
    Q_OBJECT

public:
    using StartupHook = void (*)();

    App(int &argc, char **argv, const QString &organization, const QString &application);
    ~App() override;

    static App *instance();

    QSettings *settings() const;
    QString reverseDomainAppId() const;

    // Settings store: every key lies under the application name and a slash.
    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    void setValue(const QString &key, const QVariant &value);
    void setRawSettingsKeys(bool raw);
    void beginSettingsGroup(const QString &group);
    void endSettingsGroup();
    QStringList settingsChildKeys() const;
    bool isFirstStart();

    // Standard directories; with create set, a missing one is made, parents included.
    QString supportDirectory(bool create = false) const;
    QString dataDirectory(bool create = false) const;
    QString cachesDirectory(bool create = false) const;
    QString documentsDirectory(bool create = false) const;
    QString picturesDirectory(bool create = false) const;
    QString musicDirectory(bool create = false) const;
    QString moviesDirectory(bool create = false) const;
    QString workDirectory(bool create = false) const;
    QString downloadsDirectory(bool create = false) const;
    void dumpDirectories() const;
    QString resourcesDirectory() const;

    void setOpenDirectory(const QString &filePath);
    void setSaveDirectory(const QString &filePath);
    QString openDirectory() const;
    QString saveDirectory() const;

    QString buildDateText() const;
    QDate buildDate() const;
    static QString buildDateTextFrom(const QString &compilerDate);
    static QString dateFormat();

    QString language() const;
    void setLanguage(const QString &code);
    QString languagePath() const;
    QString accountPageUrl() const;
    void setAccountPageUrlTemplate(const QString &urlTemplate);

    bool isIndependentEdition() const;
    // For tests, which must see both editions; the program itself never calls it.
    void setIndependentEdition(bool independent);
    static bool isStoreEdition();
    bool isFirstRun() const;
    QString displayName() const;
    void setDisplayName(const QString &name);

    void setWebPageUrl(const QString &url);
    QString webPageUrl() const;
    void setAppPageUrl(const QString &url);
    QString appPageUrl() const;
    void setPrivacyPolicyUrl(const QString &url);
    QString privacyPolicyUrl() const;
    void setHelpPages(const QStringList &pages);
    QStringList helpPages() const;
    void setHelpVideoUrl(const QString &url);
    QString helpVideoUrl() const;
    void setLinksDisabled(bool disabled);
    bool linksDisabled() const;
    bool isInactive() const;

    QString facebookShareUrl() const;
    QString twitterShareUrl() const;
    QString vkontakteShareUrl() const;
    void setFacebookShareUrl(const QString &url);
    void setTwitterShareUrl(const QString &url);
    void setVKontakteShareUrl(const QString &url);

    void setReminderPeriod(int period);
    int reminderPeriod() const;
    void setReminderDelay(int milliseconds);
    int reminderDelay() const;

    void setLegalNotice(const QString &text);
    void appendLegalNotice(const QString &text);
    QString legalNotice() const;

    QString storeProductId(const QString &key) const;
    QString storeProductId() const;
    // The store page of the application that a web link's last segment names, empty when unknown.
    QString productPageLink(const QString &webLink) const;
    virtual QString storeLinkFor(const QString &webLink) const;

    static void addStartupHook(StartupHook hook);

    static bool isSmallScreen();
    static bool isSmallScreen(const QRect &desktop);
    static int shorterScreenSide();
    static int longerScreenSide();
    static bool isLandscape();
    static bool isPortrait();
    static qreal primaryScreenPixelRatio();

    // "Win " and the name of the running Windows version, or of the given version code.
    static QString windowsVersionText();
    static QString windowsVersionText(int versionCode);

    static void installDefaultMessageHandler();
    static void installSilentMessageHandler();
    // Appends every message but info to "protocol.log" in the support directory; a fatal one aborts after its line.
    static void installLogFileMessageHandler();

    bool event(QEvent *e) override;
    bool notify(QObject *receiver, QEvent *e) override;

    // The window on which the About box and the prompts open; it gets a hidden overlay of its own.
    void setMainWidget(QWidget *widget);
    QWidget *mainWidget() const;

    void setPromotedApp(const QString &first, const QString &second);
    void setPromotedAppLink(const QString &key);
    QString promotedAppLink() const;
    virtual bool hasPromotedApp() const;

    void initializeOnce();
    static bool isAutoUpdateAllowed();

    // Synthetic mouse input, posted to the target; a null target gets nothing.
    static void postMousePress(QWidget *target, int x, int y, Qt::MouseButton button = Qt::LeftButton,
                               Qt::MouseButtons buttons = Qt::LeftButton);
    static void postMouseRelease(QWidget *target, int x, int y, Qt::MouseButton button = Qt::LeftButton,
                                 Qt::MouseButtons buttons = Qt::NoButton);
    static void postMouseClick(QWidget *target, int x = -1, int y = -1, Qt::MouseButton button = Qt::LeftButton,
                               Qt::MouseButtons buttons = Qt::LeftButton);
    // A negative coordinate stands for the middle of the widget on that axis.
    static QPoint clickPoint(const QWidget *widget, int x, int y);

    static QWidget *findWidgetByClassName(const QString &className);
    static bool isChildOf(const QObject *widget, const QObject *parent);
    static bool installFileIfMissing(const QString &sourcePath, const QString &directory,
                                     const QString &name = QString());
    static bool installSupportFile(const QString &sourcePath, const QString &name = QString());

    static QString makerWebSite();
    static QString makerContactAddress();
    static QString firstMakerWebAddress();
    static QString secondMakerWebAddress();
    static QString thirdMakerWebAddress();

    // Engagement prompts: the reminder at quit, the rate, share and follow links, the help slide show.
    QStringList siteLanguages() const;
    void setSiteLanguages(const QStringList &languages);
    // Rate 1, Tell 2 or Join 4, picked by setReminder among the kinds it is given (8: by edition).
    int reminderKind() const;
    void setReminder(int period, int kinds);
    void setRateReminder(int period);
    void setTellReminder(int period);
    void setJoinReminder(int period);
    void setShareLinks(const QString &appKey);
    void setFollowLinks(const QString &appKey);
    // The help slide show once slotHelp() made it.
    QDialog *helpDialog() const;
    static void scheduleIntroAtStart();

signals:
    void mouseButtonPress();
    void applicationActivated();
    void applicationDeactivated();
    void applicationExposed();
    void dockClicked();
    void fileOpenRequest(const QString &fileName);

public slots:
    // The slots that open a dialog or a window reach it through AppHandlers, which the folders above fill in:
    // the application object includes nothing above its own folder.
    void slotCallRateReminderInternal();
    void slotCallRateReminder();
    void slotCallTellReminder();
    void slotCallJoinReminder();
    void slotImmediatelyRate();
    void slotRateApp();
    void slotHelp();
    void slotShareApp();
    void slotJoin();
    virtual void slotShowMoreApps();

    void slotStartCount();
    void slotShowPrivacyPolicy();
    // Opens one more style-sheet editor; closing it only hides it.
    void slotShowCssEditor();
    void slotContactUs();
    void slotTellFriend();
    void slotSupportPage();
    void slotGoToPromotedApp();
    void slotAbout();
    void slotSetBlendMainWidget(bool on);
    // Asks the update server at once and always says what it found.
    virtual void slotCheckUpdate();
    // The check at start: asks only when the last check lies more than 5 days back, and speaks only of a newer build.
    void checkUpdatesOnStart();

private:
    QString prefixedKey(const QString &key) const;
    void setReminderKind(int kind);
    void actOnReminderAnswer(int answer);
    void showUpdateAnswer(UpdateStatus status);

    QStringList m_siteLanguages;
    int m_reminderKind = 0;
    // The help dialog, held as the dialog it is: the application object knows no class of the dialogs.
    QPointer<QDialog> m_helpDialog;

    QSettings *m_settings = nullptr;
    QString m_accountPageUrlTemplate;
    QString m_language;
    bool m_inactive = false;
    QString m_openDirectory;
    QString m_saveDirectory;
    int m_reminderPeriod = 10;
    int m_reminderDelay = 4000;
    QStringList m_helpPages;
    QString m_helpVideoUrl;
    QString m_firstPromotedApp;
    QString m_secondPromotedApp;
    QString m_promotedAppLink;
    QString m_webPageUrl;
    QString m_facebookShareUrl;
    QString m_twitterShareUrl;
    QString m_vkontakteShareUrl;
    bool m_rawSettingsKeys = false;
    // Guarded: a registered window may be closed and deleted before the application object goes.
    QPointer<QWidget> m_mainWidget;
    QPointer<BlenderWidget> m_blender;
    QString m_appPageUrl;
    QString m_resourcesDirectory;
    bool m_linksDisabled = false;
    QString m_legalNotice;
    QString m_displayName;
    QString m_privacyPolicyUrl;
    bool m_firstRun = true;
    QMap<QString, QString> m_storeProductIds;
    bool m_independentEdition = false;
};

} // namespace QMWidgets
