#include "QMWidgets/promo/PromoMenuBar.h"

#include "QMWidgets/app/App.h"
#include "QMWidgets/promo/AppButton.h"
#include "QMWidgets/style/DevicePicture.h"
#include "QMWidgets/style/DisabledLook.h"
#include "QMWidgets/app/MakerLinks.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QSignalMapper>

#include <iterator>

namespace QMWidgets {

namespace {

using Row = PromoMenuBar::CatalogueRow;

// The maker's other applications. Exact rows compare the key; containment rows stand for a whole
// family of ids that share the key (one per instrument).
const Row s_catalogue[] = {
    {"tarsel", false, {}, "Tarsel - run and debug JavaScript on your desktop", "tarsel", "tarsel"},
    {"quillmark", false, {"quillmarkpro", "quillmarkfree"}, "Quillmark - a Markdown editor with live preview", "quillmark", "QuillMark"},
    {"hexwren", false, {"hexwrenpro"}, "Hexwren - view and patch binary files", "hexwren", "HexWren"},
    {"lintora", false, {"lintorapro"}, "Lintora - tidy and check your scripts", "lintora", "lintora"},
    {"jsonkite", false, {"jsonkitepro"}, "Jsonkite - browse, format and validate JSON", "jsonkite", "jsonkite"},
    {"regexmoth", false, {"regexmothpro"}, "Regexmoth - build and test regular expressions", "regexmoth", "regexmoth"},
    {"diffowl", false, {"diffowlpro"}, "Diffowl - compare two texts side by side", "diffowl", "diffowl"},
    {"snipjar", false, {"snipjarpro"}, "Snipjar - keep your code snippets at hand", "snipjar", "snipjar"},
    {"codebirch", false, {}, "Codebirch - a light code editor for many languages", "codebirch", "codebirch"},
    {"ferrule", false, {"ferrulepro"}, "Ferrule - send requests to web services and read the replies", "ferrule", "ferrule"},
    {"glyphforge", false, {"glyphforgepro", "iconsmith"}, "Glyphforge - design your own fonts", "glyphforge", "GlyphForge"},
    {"iconsmith", false, {"glyphforge"}, "Iconsmith - draw icons in every size at once", "iconsmith", "iconsmith"},
    {"palettejay", false, {"palettejaypro"}, "Palettejay - pick colours and make palettes", "palettejay", "palettejay"},
    {"screentern", false, {}, "Screentern - capture and mark up your screen", "screentern", "screentern"},
    {"vectorwick", false, {}, "Vectorwick - draw vector graphics", "vectorwick", "vectorwick"},
    {"lensmarsh", false, {"lensmarshpro", "framefen"}, "Lensmarsh - develop your raw photos", "lensmarsh", "LensMarsh"},
    {"framefen", false, {}, "Framefen - put frames and borders around photos", "framefen", "framefen"},
    {"collagekite", false, {}, "Collagekite - make collages from your photos", "collagekite", "collagekite"},
    {"sepiadove", false, {}, "Sepiadove - give photos an old look", "sepiadove", "sepiadove"},
    {"echovale", false, {"echovalepro", "loopmere"}, "Echovale - record and edit audio", "echovale", "EchoVale"},
    {"loopmere", false, {"echovale"}, "Loopmere - play and layer loops", "loopmere", "loopmere"},
    {"drumfern", false, {"beatpike"}, "Drumfern - a drum machine with real kits", "drumfern", "drumfern"},
    {"beatpike", false, {"drumfern"}, "Beatpike - find the tempo of any song", "beatpike", "beatpike"},
    {"songquarry", false, {"songquarrypro", "lyricmoth"}, "Songquarry - slow down songs to learn them", "songquarry", "SongQuarry"},
    {"tabweaver", false, {}, "Tabweaver - write and play tablature", "tabweaver", "tabweaver"},
    {"lyricmoth", false, {}, "Lyricmoth - write lyrics with chords above them", "lyricmoth", "lyricmoth"},
    {"banjoloft", false, {"banjolofthd"}, "Banjoloft - learn the banjo step by step", "banjoloft", "banjoloft"},
    {"mandolinloft", false, {}, "Mandolinloft - learn the mandolin step by step", "mandolinloft", "mandolinloft"},
    {"balalaikaloft", false, {}, "Balalaikaloft - learn the balalaika step by step", "balalaikaloft", "balalaikaloft"},
    {"pianoloft", false, {"pianolofthd"}, "Pianoloft - learn the piano step by step", "pianoloft", "pianoloft"},
    {"guitarloft", false, {"guitarlofthd", "chordlarkguitar"}, "Guitarloft - learn the guitar step by step", "guitarloft", "GuitarLoft"},
    {"bassloft", false, {}, "Bassloft - learn the bass step by step", "bassloft", "bassloft"},
    {"ukuleleloft", false, {}, "Ukuleleloft - learn the ukulele step by step", "ukuleleloft", "ukuleleloft"},
    {"violinloft", false, {}, "Violinloft - learn the violin step by step", "violinloft", "violinloft"},
    {"mixhollow", false, {}, "Mixhollow - mix your tracks", "mixhollow", "mixhollow"},
    {"chordlark", true, {}, "Chordlark - every chord of your instrument", "chordlark", "ChordLark"},
    {"tunefinch", true, {}, "Tunefinch - a precise tuner for your instrument", "tunefinch", "TuneFinch"},
    {"scalewren", true, {}, "Scalewren - scales and modes of your instrument", "scalewren", "scalewren"},
    {"metrokit", true, {}, "Metrokit - a metronome that keeps time", "metrokit", "metrokit"},
    {"pixelmoss", true, {}, "Pixelmoss - pixel art made easy", "pixelmoss", "pixelmoss"},
    {"photoquill", true, {}, "Photoquill - write on your photos", "photoquill", "photoquill"},
    {"wavejay", true, {}, "Wavejay - shape sounds with a synthesizer", "wavejay", "wavejay"},
};

// Instrument lists: the instrument's applications, then general music applications.
const char *const s_banjoApps[] = {
    "banjoloft", "chordlarkbanjo", "tunefinchbanjo", nullptr,
    "songquarry", "tabweaver", "lyricmoth", "metrokit", "drumfern", "beatpike", "echovale", "loopmere",
    "pitchlark", "notequill", "harmonyrook", "rhythmwick"};
const char *const s_mandolinApps[] = {
    "mandolinloft", "chordlarkmandolin", "tunefinchmandolin", "scalewrenmandolin", nullptr,
    "songquarry", "tabweaver", "lyricmoth", "metrokit", "drumfern", "beatpike", "echovale", "loopmere"};
const char *const s_balalaikaApps[] = {
    "balalaikaloft", "tunefinchbalalaika", nullptr,
    "songquarry", "tabweaver", "lyricmoth", "metrokit", "drumfern", "beatpike", "echovale", "loopmere",
    "mixhollow", "pitchlark", "notequill", "harmonyrook", "rhythmwick", "studiokelp"};
const char *const s_pianoApps[] = {
    "pianoloft", "chordlarkpiano", "scalewrenpiano", nullptr,
    "songquarry", "lyricmoth", "metrokit", "drumfern", "beatpike", "echovale", "loopmere", "mixhollow"};
const char *const s_guitarApps[] = {
    "guitarloft", "chordlarkguitar", "tunefinchguitar", "scalewrenguitar", nullptr,
    "songquarry", "tabweaver", "lyricmoth", "metrokit", "drumfern", "beatpike", "echovale", "loopmere"};
const char *const s_bassApps[] = {
    "bassloft", "chordlarkbass", "tunefinchbass", "scalewrenbass", nullptr,
    "songquarry", "tabweaver", "metrokit", "drumfern", "beatpike", "echovale", "loopmere", "mixhollow"};
const char *const s_ukuleleApps[] = {
    "ukuleleloft", "chordlarkukulele", "tunefinchukulele", "scalewrenukulele", nullptr,
    "songquarry", "tabweaver", "lyricmoth", "metrokit", "drumfern", "beatpike", "echovale", "loopmere"};
const char *const s_violinApps[] = {
    "violinloft", "tunefinchviolin", nullptr,
    "songquarry", "lyricmoth", "metrokit", "drumfern", "beatpike", "echovale", "loopmere", "mixhollow"};
const char *const s_generalApps[] = {
    "songquarry", "metrokitpro", "tabweaver", nullptr,
    "echovale", "loopmere", "mixhollow", "drumfern", "beatpike", "lyricmoth", "pitchlark", "studiokelp"};

// Fixed category sequences: four groups, each closed by a separator.
const char *const s_graphicsApps[] = {
    "glyphforge", "iconsmith", "palettejay", "pixelmoss", "vectorwick", nullptr,
    "screentern", "spritehaven", "drawbrook", "sketchmere", nullptr,
    "photoquill", "lensmarsh", "framefen", "collagekite", nullptr,
    "quillmark", "hexwren", "snipjar", "codebirch", nullptr};
// The first group with its separator is left out in an application named after its third id.
const char *const s_photoApps[] = {
    "lensmarsh", "framefen", "photoquill", nullptr,
    "collagekite", "sepiadove", "exifwren", "tintbrook", "focusheron", "grainmoth", nullptr,
    "glyphforge", "palettejay", "pixelmoss", "vectorwick", nullptr,
    "echovale", "loopmere", "jsonkite", "regexmoth", "diffowl", nullptr};
const int s_photoFirstGroupLength = 4;
const char *const s_developerApps[] = {
    "tarsel", "quillmark", "hexwren", "lintora", nullptr,
    "jsonkite", "regexmoth", "diffowl", nullptr,
    "snipjar", "codebirch", "ferrule", "termlark", nullptr,
    "glyphforge", "iconsmith", "pixelmossdev", "palettejay", "screentern", nullptr};
// The second id is left out in an application whose name contains the related word.
const char *const s_audioApps[] = {
    "echovale", "wavejaystudio", "loopmere", "mixhollow", nullptr,
    "drumfern", "beatpike", "studiokelp", "pitchlark", "metrokit", nullptr,
    "songquarry", "lyricmoth", "tabweaver", "notequill", nullptr,
    "lensmarsh", "photoquill", "glyphforge", "tarsel", nullptr};
const char s_audioRelatedWord[] = "Wavejay";
const char *const s_musicApps[] = {
    "echovale", "loopmere", "drumfern", "beatpike", "studiokelp", nullptr,
    "mixhollow", "pitchlark", "lyricmoth", "notequill", nullptr};

void hideButton(QPushButton *button)
{
    button->hide();
}

} // namespace

PromoMenuBar::PromoMenuBar(QWidget *parent, bool relayQuit)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("MenuBar"));

    m_mapper = new QSignalMapper(this);
    connect(m_mapper, &QSignalMapper::mappedString, this, &PromoMenuBar::slotCallUrl);

    m_introButton = new QPushButton;
    m_moreButton = new QPushButton;
    m_rateButton = new QPushButton;
    m_moreAppsButton = new QPushButton;
    m_shareButton = new QPushButton;
    m_joinButton = new QPushButton;
    m_introButton->setObjectName(QStringLiteral("IntroButton"));
    m_rateButton->setObjectName(QStringLiteral("RateButton"));
    m_moreAppsButton->setObjectName(QStringLiteral("MoreAppsButton"));
    m_moreButton->setObjectName(QStringLiteral("MoreButton"));
    m_shareButton->setObjectName(QStringLiteral("ShareButton"));
    m_joinButton->setObjectName(QStringLiteral("JoinButton"));
    m_introButton->setToolTip(tr("Introduction"));
    m_rateButton->setToolTip(tr("Rate App"));
    m_moreAppsButton->setToolTip(tr("More Apps"));
    m_moreButton->setToolTip(tr("More"));
    m_shareButton->setToolTip(tr("Share"));
    m_joinButton->setToolTip(tr("Join Us"));

    m_moreMenu = new QMenu(m_moreButton);
    m_moreButton->setMenu(m_moreMenu);

    hideButton(m_moreAppsButton);
    hideButton(m_rateButton);

    m_appButton = new AppButton(nullptr);
    m_appButton->setObjectName(QStringLiteral("AppButton"));
    m_appButton->setToolTip(tr("App Menu"));

    const QList<QPushButton *> buttons{m_introButton, m_moreButton, m_rateButton, m_moreAppsButton,
                                       m_shareButton, m_joinButton, m_appButton};
    for (QPushButton *button : buttons) {
        if (button != m_appButton)
            new DisabledLook(button);
        button->setFlat(true);
        button->setFixedSize(60, 32);
    }

    if (relayQuit)
        connect(m_appButton, &AppButton::quitPressed, this, &PromoMenuBar::quitApp);
    else
        // closeAllWindows() sends each window a close event, so a changed document still gets its
        // question; quit() would end the loop without asking. The last window closed ends the program.
        connect(m_appButton, &AppButton::quitPressed, qApp, &QApplication::closeAllWindows);

    App *app = App::instance();
    connect(m_rateButton, &QPushButton::clicked, app, &App::slotRateApp);
    connect(m_introButton, &QPushButton::clicked, app, &App::slotHelp);
    connect(m_moreAppsButton, &QPushButton::clicked, app, &App::slotShowMoreApps);
    connect(m_shareButton, &QPushButton::clicked, app, &App::slotShareApp);
    connect(m_joinButton, &QPushButton::clicked, app, &App::slotJoin);

    m_rightGroup = new QHBoxLayout;
    m_centreGroup = new QHBoxLayout;
    m_centreGroup->setContentsMargins(0, 0, 0, 0);
    m_centreGroup->setSpacing(0);
    auto *layout = new QHBoxLayout;
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(0);
    layout->addWidget(m_moreButton);
    layout->addStretch(1);
    layout->addLayout(m_centreGroup);
    layout->addStretch(1);
    layout->addLayout(m_rightGroup);
    for (QPushButton *button : {m_introButton, m_shareButton, m_joinButton, m_moreAppsButton, m_rateButton,
                                static_cast<QPushButton *>(m_appButton)})
        layout->addWidget(button);
    setLayout(layout);

    if (app->linksDisabled()) {
        hideButton(m_appButton);
        m_appButton->hideSupportPageAction();
        hideButton(m_moreButton);
        m_appButton->hideRateAction();
        hideButton(m_rateButton);
        m_appButton->hideMoreAppsAction();
        hideButton(m_moreAppsButton);
        hideButton(m_shareButton);
        m_appButton->hideShareAction();
        hideButton(m_joinButton);
        m_appButton->hideJoinAction();
    }
}

AppButton *PromoMenuBar::appButton() const
{
    return m_appButton;
}

void PromoMenuBar::hideIntro()
{
    m_appButton->hideIntroAction();
    hideButton(m_introButton);
}

void PromoMenuBar::hideIntroButton()
{
    hideButton(m_introButton);
}

void PromoMenuBar::hideSupportPageAction()
{
    m_appButton->hideSupportPageAction();
}

void PromoMenuBar::hideMore()
{
    hideButton(m_moreButton);
}

void PromoMenuBar::hideMoreButton()
{
    hideButton(m_moreButton);
}

void PromoMenuBar::hideRate()
{
    m_appButton->hideRateAction();
    hideButton(m_rateButton);
}

void PromoMenuBar::hideRateButton()
{
    hideButton(m_rateButton);
}

void PromoMenuBar::hideMoreApps()
{
    m_appButton->hideMoreAppsAction();
    hideButton(m_moreAppsButton);
}

void PromoMenuBar::hideMoreAppsButton()
{
    hideButton(m_moreAppsButton);
}

void PromoMenuBar::hideShare()
{
    hideButton(m_shareButton);
    m_appButton->hideShareAction();
}

void PromoMenuBar::hideShareButton()
{
    hideButton(m_shareButton);
}

void PromoMenuBar::hideJoin()
{
    hideButton(m_joinButton);
    m_appButton->hideJoinAction();
}

void PromoMenuBar::hideJoinButton()
{
    hideButton(m_joinButton);
}

QMenu *PromoMenuBar::moreMenu() const
{
    return m_moreMenu;
}

QList<QAction *> PromoMenuBar::actions() const
{
    return m_moreMenu->actions();
}

void PromoMenuBar::addSeparator()
{
    m_moreMenu->addSeparator();
}

void PromoMenuBar::addAction(QAction *action)
{
    m_moreMenu->addAction(action);
}

void PromoMenuBar::addAppAction(const QPixmap &icon, const QString &text, const QString &webLink)
{
    const QString link = App::instance()->storeLinkFor(webLink);
    if (link.isEmpty())
        return;
    auto *action = new QAction(QIcon(icon), text, this);
    connect(action, &QAction::triggered, m_mapper, qOverload<>(&QSignalMapper::map));
    m_mapper->setMapping(action, link);
    m_moreMenu->addAction(action);
}

void PromoMenuBar::addAppStoreAction(const QPixmap &icon, const QString &text, const QString &name,
                                     const QString &id)
{
    addAppAction(icon, text, MakerLinks::appStorePage(name, id));
}

void PromoMenuBar::addMoreAppsAction()
{
    addSeparator();
    QAction *action = m_moreMenu->addAction(QIcon(QStringLiteral(":/moreappsicon.png")), tr("More Apps"));
    connect(action, &QAction::triggered, App::instance(), &App::slotShowMoreApps);
    addSeparator();
}

QString PromoMenuBar::runningAppId(const QString &applicationName)
{
    QString id = applicationName.toLower();
    id.remove(QStringLiteral("lite"));
    id.remove(QLatin1Char(' '));
    return id;
}

const PromoMenuBar::CatalogueRow *PromoMenuBar::findCatalogueRow(const QString &runningId, const QString &id,
                                                                 const CatalogueRow *rows, int rowCount)
{
    for (int i = 0; i < rowCount; ++i) {
        const CatalogueRow &row = rows[i];
        const QString key = QString::fromLatin1(row.key);
        bool offered;
        if (row.containment) {
            offered = !runningId.contains(key) && id.contains(key);
        } else {
            offered = runningId != key && id == key;
            for (const char *family : row.family) {
                if (family && runningId == QLatin1String(family))
                    offered = false;
            }
        }
        if (offered)
            return &row;
    }
    return nullptr;
}

const PromoMenuBar::CatalogueRow *PromoMenuBar::catalogue(int *rowCount)
{
    *rowCount = int(std::size(s_catalogue));
    return s_catalogue;
}

void PromoMenuBar::addPromotedApp(const QString &id)
{
    const CatalogueRow *row = findCatalogueRow(runningAppId(QCoreApplication::applicationName()), id, s_catalogue,
                                               int(std::size(s_catalogue)));
    if (!row)
        return;
    const QString link = MakerLinks::crossPromoPage() + QStringLiteral("?appname=") + QLatin1String(row->storeName);
    const QPixmap icon(QStringLiteral(":/") + QLatin1String(row->icon) + QStringLiteral("64x64.png"));
    addAppAction(icon, QString::fromUtf8(row->description), link);
}

void PromoMenuBar::addIdSequence(const char *const *ids, int count)
{
    for (int i = 0; i < count; ++i) {
        if (ids[i])
            addPromotedApp(QString::fromLatin1(ids[i]));
        else
            addSeparator();
    }
}

void PromoMenuBar::addBanjoApps()
{
    addIdSequence(s_banjoApps);
}

void PromoMenuBar::addMandolinApps()
{
    addIdSequence(s_mandolinApps);
}

void PromoMenuBar::addBalalaikaApps()
{
    addIdSequence(s_balalaikaApps);
}

void PromoMenuBar::addPianoApps()
{
    addIdSequence(s_pianoApps);
}

void PromoMenuBar::addGuitarApps()
{
    addIdSequence(s_guitarApps);
}

void PromoMenuBar::addBassApps()
{
    addIdSequence(s_bassApps);
}

void PromoMenuBar::addUkuleleApps()
{
    addIdSequence(s_ukuleleApps);
}

void PromoMenuBar::addViolinApps()
{
    addIdSequence(s_violinApps);
}

void PromoMenuBar::addGeneralApps()
{
    addIdSequence(s_generalApps);
}

bool PromoMenuBar::addInstrumentApps(const QString &text, bool contained)
{
    struct Instrument
    {
        const char *word;
        void (PromoMenuBar::*addList)();
    };
    // Searched in this order: the first word found in an application's name wins.
    static const Instrument instruments[] = {
        {"balalaika", &PromoMenuBar::addBalalaikaApps}, {"banjo", &PromoMenuBar::addBanjoApps},
        {"bass", &PromoMenuBar::addBassApps},           {"guitar", &PromoMenuBar::addGuitarApps},
        {"mandolin", &PromoMenuBar::addMandolinApps},   {"piano", &PromoMenuBar::addPianoApps},
        {"ukulele", &PromoMenuBar::addUkuleleApps},     {"violin", &PromoMenuBar::addViolinApps},
    };
    for (const Instrument &instrument : instruments) {
        const QLatin1String word(instrument.word);
        if (contained ? text.contains(word) : text == word) {
            (this->*instrument.addList)();
            return true;
        }
    }
    return false;
}

void PromoMenuBar::setPromoCategory(const QString &category)
{
    const QString appName = QCoreApplication::applicationName();
    if (category.isEmpty()) {
        addInstrumentApps(appName.toLower(), true);
        addGeneralApps();
    } else if (addInstrumentApps(category, false)) {
        addGeneralApps();
    } else if (category == QLatin1String("graphics")) {
        addIdSequence(s_graphicsApps);
    } else if (category == QLatin1String("photo")) {
        const bool namedLikeFirstGroup = appName.toLower().contains(QLatin1String(s_photoApps[2]));
        const int start = namedLikeFirstGroup ? s_photoFirstGroupLength : 0;
        addIdSequence(s_photoApps + start, int(std::size(s_photoApps)) - start);
    } else if (category == QLatin1String("developer")) {
        addIdSequence(s_developerApps);
    } else if (category == QLatin1String("audio")) {
        const bool related = appName.contains(QLatin1String(s_audioRelatedWord));
        addIdSequence(s_audioApps, 1);
        if (!related)
            addIdSequence(s_audioApps + 1, 1);
        addIdSequence(s_audioApps + 2, int(std::size(s_audioApps)) - 2);
    } else if (category == QLatin1String("music")) {
        addIdSequence(s_musicApps);
        addGeneralApps();
    }
    addSeparator();
    addMoreAppsAction();
}

void PromoMenuBar::addWidget(QWidget *widget)
{
    m_centreGroup->addWidget(widget);
}

void PromoMenuBar::addRightWidget(QWidget *widget)
{
    m_rightGroup->addWidget(widget);
}

void PromoMenuBar::slotCallUrl(const QString &url)
{
    MakerLinks::open(url);
}

} // namespace QMWidgets
