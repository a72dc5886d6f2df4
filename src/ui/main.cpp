// SKARVEX: the game in its window, or the headless runner.
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QTimer>

#include <fstream>
#include <iostream>
#include <optional>

#include "codec/FileAtomico.h"
#include "replay/Verifica.h"
#include "ui/ApriCombinazione.h"
#include "ui/Avvio.h"
#include "ui/Copione.h"
#include "ui/DialoghiQt.h"
#include "ui/FinestraPrincipale.h"
#include "ui/IstanzaUnica.h"
#include "ui/Joypad.h"
#include "ui/LatiQt.h"
#include "ui/Repliche.h"
#include "ui/Segnali.h"

namespace {

// A later start on a folder whose game runs: its files go to that game, and it says what
// became of each. Nothing when the game went away meanwhile: then this start is the game.
std::optional<int> PassaAlGioco(BloccoIstanza& blocco,
                                const std::vector<std::filesystem::path>& file,
                                const std::filesystem::path& cartella) {
  // No application object: this start may yet become the game, which makes its own.
  const EsitoConsegna esito = ConsegnaAlGioco(blocco, file);
  if (esito.stato == StatoConsegna::NessunGioco) return std::nullopt;
  if (esito.stato == StatoConsegna::NonRisponde) {
    std::cerr << "skarvex: the game running on '" << cartella.string() << "' did not answer"
              << (file.empty() ? "" : ": the files may not have reached it") << '\n';
    return 1;
  }
  int codice = 0;
  for (size_t i = 0; i < esito.file.size() && i < file.size(); ++i) {
    const EsitoFile& e = esito.file[i];
    (e.rifiutato ? std::cerr << "skarvex: " : std::cout)
        << file[i].string() << ": " << e.testo << '\n';
    if (e.rifiutato) codice = 1;
  }
  return codice;
}

// The window, brought up for a start that handed something over.
void Alza(QWidget& finestra) {
  finestra.setWindowState((finestra.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  finestra.show();
  finestra.raise();
  finestra.activateWindow();
}

int Gioca(int argc, char** argv, const Opzioni& opzioni, const std::filesystem::path& cartella,
          const BloccoIstanza& blocco) {
  QApplication app(argc, argv);
  // Later starts find the lock held and wait for this game: it listens before anything
  // else, and what they send waits until the game can open files.
  IstanzaUnica istanza;
  if (blocco.stato() == BloccoIstanza::Stato::Preso && !istanza.Ascolta(blocco.NomeSocket()))
    std::cerr << "skarvex: cannot listen on '" << blocco.NomeSocket().toStdString()
              << "': files opened by later starts will not reach this game\n";
  app.setApplicationName(QStringLiteral("skarvex"));
  // The desktop matches the windows to the menu entry and its icon by this name.
  app.setDesktopFileName(QString::fromLatin1(IdApplicazione));
  app.setWindowIcon(QIcon(QStringLiteral(":/programma/icona.svg")));
  app.setQuitOnLastWindowClosed(false);
  // Dates and sizes in the dialogs are Italian like the rest; files keep numbers as C writes them.
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  const std::unique_ptr<QTranslator> italiano = TraduzioneQtItaliana();
  if (italiano) {
    app.installTranslator(italiano.get());
  } else {
    std::cerr << "skarvex: Qt's Italian translation (qt6-translations-l10n) is missing: "
                 "its standard buttons and dialogs stay in English\n";
  }

  Partita<LatiQt> partita(cartella);
  FinestraPrincipale principale(partita.g, partita.frm, partita.smista);
  // Ctrl+C, kill, a closed terminal or the end of the desktop session take the close
  // box's way out: the other windows close, the sound is released and the unpacked
  // music file is removed. A session that ends closes the windows itself; should Qt
  // quit without that, the window still runs its exit on the way out.
  const Segnali segnali([&principale] { principale.Termina(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &principale, &QWidget::close);
  CollegaFinestra(partita, principale);

  // A file opened, handed over or dropped is checked and added as a turn of the game;
  // its questions wait for a moment between games (or a pause) with no dialog open, and
  // meanwhile the caption says they wait.
  Accoglienza accoglienza(partita.g, partita.frm);
  // Every game played in the window is recorded; a game just over is kept at once.
  Repliche repliche(principale, partita.g, partita.smista);
  principale.ImpostaDopoInput([&repliche] { repliche.DopoEvento(); });
  principale.ImpostaNota([&] { return accoglienza.Avviso() + repliche.Avviso(); });
  QTimer attese;
  attese.setInterval(250);
  QObject::connect(&attese, &QTimer::timeout, &principale, [&] {
    // No question pops up over a replay being watched either.
    if (QApplication::activeModalWidget() || repliche.visione().Attiva()) return;
    if (accoglienza.PuoChiedere())
      principale.TurnoOccupato([&accoglienza] { accoglienza.Riprendi(); });
    if (!accoglienza.InAttesa()) attese.stop();
    principale.Aggiorna();  // the caption, while something waits
  });
  // A replay file is told by its first bytes, whatever it is called; it is watched once
  // the combinations given with it are in.
  const auto apri = [&](const std::vector<std::filesystem::path>& file) {
    std::vector<EsitoFile> esiti(file.size());
    principale.TurnoOccupato([&] {
      for (size_t i = 0; i < file.size(); ++i) {
        if (SembraReplica(file[i])) continue;
        const EsitoApertura esito = accoglienza.Apri(file[i]);
        esiti[i] = {esito.rifiutata, esito.testo};
      }
    });
    for (size_t i = 0; i < file.size(); ++i) {
      if (!SembraReplica(file[i])) continue;
      const EsitoApertura esito = repliche.Apri(file[i]);
      esiti[i] = {esito.rifiutata, esito.testo};
    }
    if (accoglienza.InAttesa()) attese.start();
    return esiti;
  };
  principale.ImpostaApriFile([apri](const std::filesystem::path& f) { (void)apri({f}); });
  // Gamepads, the files given on the command line and those handed over meanwhile are
  // taken once the first frame is painted: a question about a file opens over the
  // playfield.
  Joypad joypad(principale, partita.g);
  const bool esciAlPrimoFrame = qEnvironmentVariableIsSet("SKARVEX_ESCI_AL_PRIMO_FRAME");
  MostraPartita(
      partita, principale,
      [esciAlPrimoFrame] {
        // For the start-up benchmark and the tests: the first frame painted, it says so
        // and ends, as a program that only starts would.
        if (!esciAlPrimoFrame) return true;
        std::cout << "primo fotogramma" << std::endl;
        QCoreApplication::quit();
        return false;
      },
      [&] {
        joypad.Apri();
        repliche.Spazza();
        if (!opzioni.file.empty()) (void)apri(opzioni.file);
        istanza.Servi(apri, [&principale] { Alza(principale); });
      });
  return app.exec();
}

int Esegui(int argc, char** argv, const Opzioni& opzioni, const std::filesystem::path& cartella) {
  std::ifstream file;
  if (opzioni.copione != "-") {
    file.open(opzioni.copione);
    if (!file) {
      std::cerr << "skarvex: cannot read the script '" << opzioni.copione << "'\n";
      return 2;
    }
  }
  // Nothing is shown: pictures are drawn only for `shot`, offscreen.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return EseguiCopione(cartella, file.is_open() ? static_cast<std::istream&>(file) : std::cin,
                       std::cout, std::cerr, {opzioni.registra, opzioni.rivedi});
}

// The folder made ready for a run: the game is still worth playing in a folder that
// can't be written, each save then reports its own failure.
void Prepara(const std::filesystem::path& cartella) {
  if (!AccettaFileNuovi(cartella))
    std::cerr << "skarvex: program folder '" << cartella.string()
              << "' cannot be written: high scores, settings and combinations will not be saved\n";
  EliminaTemporaneiRimasti(cartella, std::chrono::minutes(10));
}

}  // namespace

int main(int argc, char** argv) {
  const auto opzioni = LeggiOpzioni(std::vector<std::string>(argv + 1, argv + argc));
  if (!opzioni) {
    std::cerr << "skarvex: " << opzioni.errore() << '\n';
    return 2;
  }
  if (opzioni.valore().aiuto) {
    std::cout << Uso();
    return 0;
  }
  if (opzioni.valore().versione) {
    std::cout << "skarvex " << VersioneMaggiore << '.' << VersioneMinore << '\n';
    return 0;
  }
  // A check needs no program folder: each replay is played on a game of its own.
  if (opzioni.valore().verifica) return VerificaFile(opzioni.valore().file, std::cout);
  const auto scelta = ScegliCartellaProgramma(opzioni.valore().cartella, CartellaEseguibile(),
                                              Ambiente::DelProcesso());
  if (!scelta) {
    std::cerr << "skarvex: " << scelta.errore() << '\n';
    return 2;
  }
  const auto cartella = PreparaCartella(scelta.valore());
  if (!cartella) {
    std::cerr << "skarvex: " << cartella.errore() << '\n';
    return 2;
  }
  // The headless runner plays on any folder, beside a game or other runners: it takes no
  // lock and opens no files.
  if (opzioni.valore().headless) {
    Prepara(cartella.valore());
    return Esegui(argc, argv, opzioni.valore(), cartella.valore());
  }
  // What --rivedi names must be a replay: a combination is not watched.
  if (const auto& rivedi = opzioni.valore().rivedi; rivedi && !SembraReplica(*rivedi)) {
    std::cerr << "skarvex: '" << rivedi->string() << "' is not a replay file\n";
    return 2;
  }
  // One game per program folder and user, from the first instant: the lock comes before
  // the window and before anything in the folder is read.
  BloccoIstanza blocco(cartella.valore());
  if (blocco.stato() == BloccoIstanza::Stato::Occupato)
    if (const auto codice = PassaAlGioco(blocco, opzioni.valore().file, cartella.valore()))
      return *codice;
  if (blocco.stato() == BloccoIstanza::Stato::Impossibile)
    std::cerr << "skarvex: " << blocco.Errore()
              << ": another game may be running on the same program folder\n";
  Prepara(cartella.valore());
  return Gioca(argc, argv, opzioni.valore(), cartella.valore(), blocco);
}
