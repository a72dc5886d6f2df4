// SKARVEX: the game in its window, or the headless runner.
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>

#include <fstream>
#include <iostream>

#include "codec/FileAtomico.h"
#include "ui/ApriCombinazione.h"
#include "ui/Avvio.h"
#include "ui/Copione.h"
#include "ui/DialoghiQt.h"
#include "ui/FinestraPrincipale.h"
#include "ui/IstanzaUnica.h"
#include "ui/Joypad.h"
#include "ui/LatiQt.h"
#include "ui/Segnali.h"

namespace {

int Gioca(int argc, char** argv, const Opzioni& opzioni, const std::filesystem::path& cartella) {
  QApplication app(argc, argv);
  // Files opened while the game already runs on this folder go to that game.
  const QString nomeIstanza = NomeIstanza(cartella);
  if (!opzioni.file.empty()) switch (ConsegnaAlGioco(nomeIstanza, opzioni.file)) {
      case Consegna::Consegnata:
        return 0;
      case Consegna::NonRisponde:
        std::cerr << "skarvex: the game running on '" << cartella.string()
                  << "' did not take the files\n";
        return 1;
      case Consegna::NessunGioco:
        break;
    }
  app.setApplicationName(QStringLiteral("skarvex"));
  // The desktop matches the windows to the menu entry and its icon by this name.
  app.setDesktopFileName(QString::fromLatin1(IdApplicazione));
  app.setWindowIcon(QIcon(QStringLiteral(":/programma/icona.svg")));
  app.setQuitOnLastWindowClosed(false);
  const std::unique_ptr<QTranslator> italiano = TraduzioneQtItaliana();
  if (italiano) {
    app.installTranslator(italiano.get());
  } else {
    std::cerr << "skarvex: Qt's Italian translation (qt6-translations-l10n) is missing: "
                 "its standard buttons and dialogs stay in English\n";
  }

  Partita<LatiQt> partita(cartella);
  FinestraPrincipale principale(partita.g, partita.frm);
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
  principale.ImpostaNota([&accoglienza] { return accoglienza.Avviso(); });
  QTimer attese;
  attese.setInterval(250);
  QObject::connect(&attese, &QTimer::timeout, &principale, [&] {
    if (accoglienza.InAttesa() && accoglienza.PuoChiedere() && !QApplication::activeModalWidget())
      principale.TurnoOccupato([&accoglienza] { accoglienza.Riprendi(); });
    if (!accoglienza.InAttesa()) attese.stop();
    principale.Aggiorna();
  });
  const auto apri = [&](const std::filesystem::path& file) {
    principale.TurnoOccupato([&] { (void)accoglienza.Apri(file); });
    if (accoglienza.InAttesa()) attese.start();
  };
  principale.ImpostaApriFile(apri);
  // Files handed over by a later start, and gamepads, are taken once the first frame
  // is painted.
  IstanzaUnica istanza(apri);
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
        if (!istanza.Ascolta(nomeIstanza))
          std::cerr << "skarvex: another game runs on '" << cartella.string()
                    << "': files opened now go to that one\n";
        joypad.Apri();
      });
  for (const auto& file : opzioni.file)
    QTimer::singleShot(0, &principale, [apri, file] { apri(file); });
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
                       std::cout, std::cerr);
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
  // The game is still worth playing: each save then reports its own failure.
  if (!AccettaFileNuovi(cartella.valore()))
    std::cerr << "skarvex: program folder '" << cartella.valore().string()
              << "' cannot be written: high scores, settings and combinations will not be saved\n";
  EliminaTemporaneiRimasti(cartella.valore(), std::chrono::minutes(10));
  return opzioni.valore().headless ? Esegui(argc, argv, opzioni.valore(), cartella.valore())
                                   : Gioca(argc, argv, opzioni.valore(), cartella.valore());
}
