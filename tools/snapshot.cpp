// Shows the program's windows with a throw-away settings store and saves pictures of them.
// Usage: snapshot <store.ini> <main.png> [<trackmanager.png> <trackinfo.png> [<about.png>
//        [<about-dark.png> <colours.png>]]]
// About is pictured again under a dark theme, and the colour selector as the keyboard left it.
// With DROVEX_SNAPSHOT_MORE set to a folder, the other windows (File-Info, Folder-Info, the
// information box, the start-up options and the colour selector) are saved there too.
// The main window shows the default settings, stored through the program's own "Save Settings".
// The Track Manager and the Track-Info window show a game folder that this tool makes in a
// temporary folder: sixteen circuit files and a folder of custom tracks, one of them with a long
// name, all real track files (built as the tests build theirs) whose circuits can be drawn.
#include "about/aboutwindow.h"
#include "about/infobox.h"
#include "app/mainwindow.h"
#include "colours/colourselector.h"
#include "settings/palette.h"
#include "settings/settingsstore.h"
#include "startopts/startoptionsdialog.h"
#include "support/trackrecipe.h"
#include "system/platform.h"
#include "system/session.h"
#include "tracks/fileinfowindow.h"
#include "tracks/folderinfowindow.h"
#include "tracks/trackinfowindow.h"
#include "tracks/trackmanager.h"
#include "tracks/trackselector.h"
#include "widgets/services.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListView>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

using Sections = QList<drovex::test::TrackRecipe::Section>;

// Circuits of a few kilometres, each a closed outline: corners rounded off a polygon, turning
// once to the right.
const Sections kValleLunga = {{184, 0}, {11, 745}, {53, 0}, {22, 525}, {74, 0}, {15, 587}, {60, 0}, {13, 1044}, {52, 0},
                              {9, -1267}, {42, 0}, {7, -1273}, {69, 0}, {15, 654}, {75, 0}, {14, 735}, {64, 0},
                              {11, -1038}, {79, 0}, {12, 1276}, {78, 0}, {17, 592}, {84, 0}, {13, 744}, {183, 0}, {1, -2}};
const Sections kNordberg = {{140, 0}, {20, 410}, {61, 0}, {21, 710}, {79, 0}, {13, 902}, {86, 0}, {15, -841}, {76, 0}, {18, 534},
                            {90, 0}, {19, 589}, {96, 0}, {3, 432}, {70, 0}, {29, 520}, {48, 0}, {12, 511}, {144, 0}, {1, 4}};
const Sections kPortoAlto = {{115, 0}, {16, 1024}, {60, 0}, {16, 1024}, {80, 0}, {16, -1024}, {60, 0}, {16, 1024},
                             {102, 0}, {16, 512}, {77, 0}, {24, 523}, {75, 0}, {17, 707}, {115, 0}, {1, 5}};
const Sections kSeaside = {{124, 0}, {12, -539}, {64, 0}, {24, 709}, {64, 0}, {24, 584}, {87, 0}, {22, 425}, {162, 0}, {12, -902},
                           {81, 0}, {20, 748}, {80, 0}, {19, 652}, {66, 0}, {8, 442}, {22, 0}, {33, 350}, {111, 0}, {1, 12}};

struct Track {
    const char* file;
    const char* tag;
    const Sections* sections;
};

const char* const kCircuits[16] = {
    "Phoenix",     "Interlagos", "Imola",       "Monte Carlo", "Montreal",  "Mexico City", "Magny-Cours", "Silverstone",
    "Hockenheim",  "Hungaroring", "Spa-Francorchamps", "Monza",  "Estoril",   "Barcelona", "Suzuka",      "Adelaide",
};

const Track kCustom[] = {
    {"VALLUNGA.DAT",
     "|Name|Circuito Panoramico di Valle Lunga, Long Layout with the Old Chicane and the Lake Hairpin|"
     "Country|Italy|Year|1998|Event|Gran Premio della Valle|Laps|49|LengthMeters|6130|Tyre|High|Slot|12|"
     "LapRecordQualify|1:21.450|LapRecord|None Entered|Author|A. Trackmaker|"
     "Desc|A fast lakeside circuit with two long straights, a tight hairpin by the water and a chicane "
     "that was taken out in later years.|",
     &kValleLunga},
    {"NORDBERG.DAT", "|Name|Nordberg Ring|Country|Germany|Year|1996|Laps|45|LengthMeters|5077|Author|J. Smith|", &kNordberg},
    {"PORTOALT.DAT", "|Name|Porto Alto|Country|Portugal|Year|1997|Laps|70|LengthMeters|3931|", &kPortoAlto},
    {"SEASIDE.DAT", "|Name|Seaside Park|Country|Australia|Year|1995|Laps|81|LengthMeters|5052|", &kSeaside},
};

// A track file of a real track's size, tagged, with the circuit's sections.
bool writeTrack(const QString& path, const QByteArray& tag, const Sections& sections)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    drovex::test::TrackRecipe recipe;
    recipe.tag = "#GP2INFO" + tag + "#";
    recipe.sections = sections;
    recipe.objectBytes = 36000;
    const QByteArray bytes = drovex::test::buildTrack(recipe);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A game folder with its circuit files and a folder of custom tracks; the name of that folder.
QString makeGame(const QString& game)
{
    const Sections* shapes[] = {&kSeaside, &kNordberg, &kPortoAlto, &kValleLunga};
    for (int n = 1; n <= 16; ++n)
        writeTrack(game + QStringLiteral("/CIRCUITS/F1CT%1.DAT").arg(n, 2, 10, QLatin1Char('0')),
                   QByteArray("|Name|") + kCircuits[n - 1] + "|Laps|60|", *shapes[n % 4]);
    const QString custom = game + QStringLiteral("/CIRCUITS/CUSTOM");
    for (const Track& t : kCustom)
        writeTrack(custom + QLatin1Char('/') + QLatin1String(t.file), t.tag, *t.sections);
    QFile exe(game + QStringLiteral("/GP2.EXE"));
    if (exe.open(QIODevice::WriteOnly))
        exe.resize(5859328);
    return custom;
}

void save(QWidget* window, const QString& out)
{
    QPixmap shot = window->screen()->grabWindow(0);
    if (shot.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen"))
        shot = window->grab();
    else { // the screen's picture is in device pixels
        const qreal scale = shot.devicePixelRatio();
        const QRect r = window->frameGeometry();
        shot = shot.copy(QRectF(QPointF(r.topLeft()) * scale, QSizeF(r.size()) * scale).toAlignedRect());
    }
    shot.save(out);
}

// Shows a window, waits for it to be drawn, saves its picture, then goes on.
void snap(QWidget* window, const QString& out, std::function<void()> next)
{
    window->show();
    window->raise();
    QTimer::singleShot(800, window, [window, out, next] {
        save(window, out);
        window->hide();
        next();
    });
}

// About under a dark theme, its web link focused; then the colour selector opened on "Split 1 Color" (135), its
// current cell moved by the keyboard two cells right and one down.
void darkAboutAndColours(drovex::MainWindow& window, drovex::Services& services, const QString& aboutOut,
                         const QString& coloursOut, std::function<void()> next)
{
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(45, 45, 48)); // light texts on dark grey
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::Link, QColor(110, 170, 255));
    dark.setColor(QPalette::LinkVisited, QColor(200, 150, 255));
    QApplication::setPalette(dark);
    auto* about = new drovex::AboutWindow(services, &window);
    about->findChild<QWidget*>(QStringLiteral("txtEMail"))->setFocus();
    QTimer::singleShot(300, about, [about] { // Tab on to the web link: the style frames it
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(about->focusWidget(), &tab);
    });
    snap(about, aboutOut, [&window, light, coloursOut, next] {
        QApplication::setPalette(light);
        auto* colours = new drovex::ColourSelector(&window);
        const drovex::Rgb value = drovex::paletteColour(135).value_or(drovex::Rgb{0, 0, 0});
        colours->setSelectedColour(QColor(value.r, value.g, value.b));
        colours->editSetting(QStringLiteral("Split 1 Color"), QStringLiteral("135"));
        snap(colours, coloursOut, next);
        QTimer::singleShot(300, colours, [colours] {
            for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QCoreApplication::sendEvent(colours->findChild<QWidget*>(QStringLiteral("Colors")), &press);
            }
        });
    });
}

// The other windows, into the folder DROVEX_SNAPSHOT_MORE names; then the tool ends.
void moreWindows(QApplication& app, drovex::MainWindow& window, const drovex::Session& session)
{
    const QString folder = qEnvironmentVariable("DROVEX_SNAPSHOT_MORE");
    if (folder.isEmpty()) {
        app.quit();
        return;
    }
    drovex::TrackSelector* selector = window.tracks().selector(true);
    drovex::FileInfoWindow* fileInfo = selector->fileInfo(true);
    fileInfo->fill(selector->selectedName(), selector->selectedPath());
    auto* folders = new drovex::FolderInfoWindow(session, selector->table(), &window);
    auto* info = new drovex::InfoBox(QStringLiteral("/home/player/.config/Drovex Windows Front-End.ini"),
                                     QStringLiteral("/home/player/Games/GP2"), {}, &window);
    auto* options = window.startOptions(true);
    auto* colours = new drovex::ColourSelector(&window);
    auto out = [folder](const char* name) { return folder + QLatin1Char('/') + QLatin1String(name); };
    snap(fileInfo, out("fileinfo.png"), [=, &app] {
        snap(folders, out("folderinfo.png"), [=, &app] {
            snap(info, out("infobox.png"), [=, &app] {
                snap(options, out("startoptions.png"), [=, &app] {
                    snap(colours, out("colourselector.png"), [&app] { app.quit(); });
                });
            });
        });
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3 && argc != 5 && argc != 6 && argc != 8)
        return 2;
    const QString storeFile = QString::fromLocal8Bit(argv[1]);
    drovex::IniSettingsStore store(storeFile);
    drovex::Session session(store, drovex::systemPlatform());
    drovex::SilentServices services;
    drovex::MainWindow window(session, services);
    window.startUp();
    auto* defaults = window.findChild<QCheckBox*>(QStringLiteral("SetToDefault"));
    defaults->setChecked(true);
    window.saveSettingsAndWrite();
    defaults->setChecked(false);
    window.statusBar()->clearMessage();

    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/games-XXXXXX"));
    const QString game = dir.filePath(QStringLiteral("GP2"));
    const QString custom = makeGame(game);
    auto trackWindows = [&] {
        // Two slots hold custom tracks, one of them with a long name.
        store.put(QStringLiteral("F1CT04"), QStringLiteral("CIRCUITS\\CUSTOM\\VALLUNGA.DAT"));
        store.put(QStringLiteral("F1CT09"), QStringLiteral("CIRCUITS\\CUSTOM\\NORDBERG.DAT"));
        store.put(QStringLiteral("Path-GP2"), QDir::toNativeSeparators(game));
        session.setGameFolder(QDir::toNativeSeparators(game));
        drovex::TrackSelector* selector = window.tracks().selector(true);
        selector->changeFolder(custom);
        while (!selector->isFileListComplete())
            QCoreApplication::processEvents();
        // The long-named track is chosen in the file list, as a click would.
        auto* files = selector->findChild<QListView*>(QStringLiteral("BX_File"));
        const QModelIndexList found =
            files->model()->match(files->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("VALLUNGA.DAT"));
        if (!found.isEmpty())
            files->setCurrentIndex(found.first());
        snap(selector, QString::fromLocal8Bit(argv[3]), [&app, &window, &services, &session, selector, argc, argv] {
            // Track-Info reads the chosen file as it opens: its map, length, checksum and warnings.
            drovex::TrackInfoWindow* info = selector->trackInfo(true);
            info->showTrackFile(selector->selectedPath(),
                                selector->table().slotsHolding(session.gameFolder(), selector->selectedPath()));
            snap(info, QString::fromLocal8Bit(argv[4]), [&app, &window, &services, &session, argc, argv] {
                if (argc < 6) {
                    app.quit();
                    return;
                }
                // The About window, with the program's icon as its small picture.
                auto* about = new drovex::AboutWindow(services, &window);
                snap(about, QString::fromLocal8Bit(argv[5]), [&app, &window, &services, &session, argc, argv] {
                    if (argc < 8)
                        moreWindows(app, window, session);
                    else
                        darkAboutAndColours(window, services, QString::fromLocal8Bit(argv[6]), QString::fromLocal8Bit(argv[7]),
                                            [&app, &window, &session] { moreWindows(app, window, session); });
                });
            });
        });
    };
    snap(&window, QString::fromLocal8Bit(argv[2]), [&] {
        if (argc >= 5)
            trackWindows();
        else
            app.quit();
    });
    return QApplication::exec();
}
