#pragma once

#include <QFrame>
#include <QList>
#include <QString>

class QAction;
class QHBoxLayout;
class QMenu;
class QPixmap;
class QPushButton;
class QSignalMapper;

namespace QMWidgets {

class AppButton;

// The dark strip at the top of a main page: flat image buttons for the application object's help,
// rating, sharing, joining and more-applications services, a "More" menu of the maker's other
// applications, and the application menu at the right end.
class PromoMenuBar : public QFrame
{
    Q_OBJECT

public:
    // One application of the catalogue. An exact row is offered for its own key only; a containment
    // row for every requested id that contains its key. Either is withheld in the application it names.
    struct CatalogueRow
    {
        const char *key;
        bool containment;
        const char *family[2];   // further running ids that withhold an exact row; null where unused
        const char *description;
        const char *icon;        // the image is ":/" + icon + "64x64.png"
        const char *storeName;
    };

    // With relayQuit the application menu's "Quit" becomes this bar's quitApp(); otherwise it closes
    // every window, so each may still ask about a changed document.
    PromoMenuBar(QWidget *parent, bool relayQuit);

    AppButton *appButton() const;

    void hideIntro();
    void hideIntroButton();
    void hideSupportPageAction();
    void hideMore();
    void hideMoreButton();
    void hideRate();
    void hideRateButton();
    void hideMoreApps();
    void hideMoreAppsButton();
    void hideShare();
    void hideShareButton();
    void hideJoin();
    void hideJoinButton();

    QMenu *moreMenu() const;
    QList<QAction *> actions() const;
    void addSeparator();
    // The caller keeps the action.
    void addAction(QAction *action);
    // Adds nothing when the store-link conversion of the web link is empty.
    void addAppAction(const QPixmap &icon, const QString &text, const QString &webLink);
    void addAppStoreAction(const QPixmap &icon, const QString &text, const QString &name, const QString &id);
    void addMoreAppsAction();

    // The catalogue: fills the more menu with the applications of a category word.
    void setPromoCategory(const QString &category);
    void addPromotedApp(const QString &id);
    void addBanjoApps();
    void addMandolinApps();
    void addBalalaikaApps();
    void addPianoApps();
    void addGuitarApps();
    void addBassApps();
    void addUkuleleApps();
    void addViolinApps();
    void addGeneralApps();

    // The application name lower-cased, without any "lite" and without blanks.
    static QString runningAppId(const QString &applicationName);
    // The first row offered for the requested id while the given application runs, or null.
    static const CatalogueRow *findCatalogueRow(const QString &runningId, const QString &id,
                                                const CatalogueRow *rows, int rowCount);
    static const CatalogueRow *catalogue(int *rowCount);

    void addWidget(QWidget *widget);
    void addRightWidget(QWidget *widget);

signals:
    void quitApp();

public slots:
    void slotCallUrl(const QString &url);

private:
    // The list of the instrument word that equals the text, or that the text contains; false when none.
    bool addInstrumentApps(const QString &text, bool contained);
    // Ids in order; a null id stands for a separator.
    void addIdSequence(const char *const *ids, int count);
    template <int N>
    void addIdSequence(const char *const (&ids)[N]) { addIdSequence(ids, N); }

    QMenu *m_moreMenu = nullptr;
    QSignalMapper *m_mapper = nullptr;
    QHBoxLayout *m_rightGroup = nullptr;
    QHBoxLayout *m_centreGroup = nullptr;
    QPushButton *m_introButton = nullptr;
    QPushButton *m_moreButton = nullptr;
    QPushButton *m_rateButton = nullptr;
    QPushButton *m_moreAppsButton = nullptr;
    QPushButton *m_shareButton = nullptr;
    QPushButton *m_joinButton = nullptr;
    AppButton *m_appButton = nullptr;
};

} // namespace QMWidgets
