// The long soak: a bot plays hours of virtual time through the game's handlers in
// one program run, entering names in the high-score table and switching
// combinations between games, while the playfield is drawn offscreen every few
// seconds; the process's memory is measured every hour.
// It fails when the heap grows by more than a set amount per hour after the first,
// when the game shows a message it should not, or when the high-score file and the
// table in memory disagree.
#include "Bot.h"
#include "SoakMateriale.h"
#include "codec/Combinazione.h"
#include "combinations/GestioneDatiEsterni.h"
#include "codec/RecordFile.h"
#include "ui/AudioSdl.h"
#include "support/Banco.h"
#include "ui/Demo.h"
#include "drawing/Disegno.h"
#include "drawing/ImmaginiIncorporate.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#endif
#ifdef SOAK_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace {

constexpr int64_t Ora = 3600 * 1000;
constexpr int64_t Passo = 50;  // the bot looks at the playfield this often
constexpr int64_t IntervalloFotogrammi = 5000;
constexpr int64_t PartitaTroppoLunga = 3 * Ora;  // a game that never ends is a fault

// Under AddressSanitizer the resident size also holds the freed blocks it keeps in
// quarantine, hundreds of megabytes once it fills: only the heap in use tells then.
#ifdef SOAK_ASAN
constexpr bool RssGiudicato = false;
#else
constexpr bool RssGiudicato = true;
#endif

// The bytes the allocator has handed out and not taken back.
size_t HeapInUso() {
#ifdef SOAK_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  // Large blocks (pictures) are mapped on their own, outside the arena's count.
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
#endif
}

size_t Rss() {
  std::ifstream statm("/proc/self/statm");
  size_t pagine = 0, residenti = 0;
  statm >> pagine >> residenti;
  return residenti * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// How wary the bot is, game after game: never quite the same twice, so that some
// games end at once, some go on for several levels and new high scores keep coming.
float Prudenza(int64_t partita) {
  return partita % 6 == 5 ? 0.0f : static_cast<float>(300 + (partita * 389) % 3700);
}

struct Conteggi {
  int64_t partite = 0;
  int64_t livelliSuperati = 0;
  int livelloMassimo = 0;
  int64_t punteggioMassimo = 0;
  int64_t record = 0;
  int64_t cambi = 0;
  int64_t pause = 0;
  std::vector<QString> errori;
};

struct Misura {
  size_t heap;
  size_t rss;
  int64_t minuto;  // of virtual time
};

Misura Memoria(int64_t minuto) {
  return {HeapInUso(), Rss(), minuto};
}

class Soak {
 public:
  Soak(int altre, std::unique_ptr<Audio> audio) : b(std::move(audio)), bot(b.g, b.smista) {
    b.g.registroSuoni = nullptr;  // kept over hours, the list of played sounds would only grow
    std::ofstream(b.File(NomeFileDemo), std::ios::binary) << Byte(CombinazioneDemo());
    // The round of combinations between games: the demo first, Default among them.
    giro = {QStringLiteral("Notturno"), QStringLiteral("Default")};
    for (const TipoCombinazione& c : CombinazioniFatteQui(altre)) {
      giro.push_back(QString::fromStdString(c.Nome));
      if (!c.FontFile.empty()) daInstallare.insert(giro.back());
      if (!ScriviFileCombinazione(b.File(c.Nome + ".skcom"), c))
        Errore(QStringLiteral("could not write the combination ") + QString::fromStdString(c.Nome));
    }
    b.Avvia();
    ControllaBox("start-up");
  }

  // Plays until the virtual clock has passed `fine` and the memory has been measured.
  Misura GiocaFinoA(int64_t fine) {
    finePeriodo = fine;
    misura.reset();
    while (!misura) {
      if (b.g.img_gameover.Visible) {
        TraPartite();
        continue;
      }
      const int64_t inPartita = b.orologio.Ora() - inizioPartita;
      if (inPartita > PartitaTroppoLunga) {
        Errore(QStringLiteral("a game has lasted three virtual hours without ending"));
        inizioPartita = b.orologio.Ora();
      }
      // Once a game, half a minute in, the player pauses for a few seconds.
      if (inPartita >= 30000 && !pausaFatta && !b.g.img_nextlevel.Visible &&
          b.g.img_giocatore.Visible) {
        b.frm.Form_KeyDown(Tasti::Esc);
        b.Attendi(4000);
        pausaFatta = true;
        ++n.pause;
      }
      const int livello = b.g.Livello;
      bot.Gioca();
      b.Attendi(Passo);
      if (b.orologio.Ora() >= prossimoFotogramma) Disegna();
      if (b.g.Livello > livello) n.livelliSuperati += b.g.Livello - livello;
      if (b.g.img_gameover.Visible) FinePartita();
    }
    return *misura;
  }

  bool elencaPartite = false;  // one line per game on the standard output

  // The player leaves with "Esci": the sounds are released and the window closes.
  void Esci() {
    b.frm.mn_esci_Click();
    ControllaBox("exit");
    if (!b.finestre.PrincipaleChiusa()) Errore(QStringLiteral("\"Esci\" left the window open"));
  }

  bool ConAudio() const { return b.audio->Disponibile(); }
  const Conteggi& Numeri() const { return n; }
  int64_t Minuti() const { return b.orologio.Ora() / 60000; }

 private:
  void Errore(const QString& testo) {
    if (n.errori.size() < 50) n.errori.push_back(testo);
  }

  // Any box the game showed: an input box is the high-score entry; anything else is
  // a failure the soak reports. Taking them also keeps the scripted seam's record of
  // boxes from growing over the hours.
  int ControllaBox(const char* dove) {
    int richiesteNome = 0;
    for (const BoxMostrato& box : b.dialoghi.PrendiBox()) {
      if (box.tipo == QLatin1String("input")) {
        ++richiesteNome;
      } else if (box.tipo == QLatin1String("question") && domandeAttese > 0) {
        --domandeAttese;
      } else {
        Errore(QStringLiteral("%1: unexpected %2 box: %3").arg(dove, box.tipo, box.testo));
      }
    }
    return richiesteNome;
  }

  void FinePartita() {
    ++n.partite;
    if (elencaPartite)
      std::printf("game %lld: wariness %.0f, level %d, score %lld, %lld s, heap %zu KiB\n",
                  static_cast<long long>(n.partite), static_cast<double>(bot.prudenza), b.g.Livello,
                  static_cast<long long>(b.g.Punteggio),
                  static_cast<long long>((b.orologio.Ora() - inizioPartita) / 1000),
                  HeapInUso() / 1024);
    n.livelloMassimo = std::max(n.livelloMassimo, b.g.Livello);
    n.punteggioMassimo = std::max(n.punteggioMassimo, b.g.Punteggio);
    const int richieste = ControllaBox("game over");
    if (richieste > 1) Errore(QStringLiteral("the name was asked %1 times").arg(richieste));
    if (richieste == 1 && !nomeAccodato) Errore(QStringLiteral("a name was asked before a game"));
    if (richieste == 1 && nomeAccodato) {
      ++n.record;
      ControllaRecord();
      nomeAccodato = nullptr;
    }
  }

  // The high-score file holds what the table in memory shows, and this game's score.
  void ControllaRecord() {
    const LetturaRecord letto = LeggiFileRecord(b.File("Record"));
    if (!letto.esito) return Errore(QStringLiteral("the Record file does not read back"));
    const VoceRecord* nuova = nullptr;  // an equal older score stays above the new one
    for (size_t i = 0; i < NumeroRecord; ++i) {
      const VoceRecord& v = letto.tabella[i];
      if (QString::fromStdString(v.Nome) != b.g.RecordNomi[i + 1] ||
          v.Punti != b.g.RecordPunti[i + 1] || v.Livello != b.g.RecordLivelli[i + 1])
        return Errore(
            QStringLiteral("the Record file differs from the table at entry %1").arg(i + 1));
      if (v.Punti == b.g.Punteggio) nuova = &v;
    }
    if (!nuova || nuova->Livello != b.g.Livello ||
        QString::fromStdString(nuova->Nome) != nomeAccodato->mostrato)
      Errore(QStringLiteral("the Record file lacks the entry of %1 for %2 points")
                 .arg(nomeAccodato->scritto)
                 .arg(b.g.Punteggio));
  }

  // Between games: the game-over screen rests a moment, the next combination is
  // chosen from the menu, now and then the audio switch too, and a new game starts.
  void TraPartite() {
    b.Attendi(3000);
    Disegna();  // the game-over screen and the table, in the combination that ended
    GestioneDatiEsterni::CostruisciMenu(b.g);
    const QString& prossima = giro[static_cast<size_t>(n.partite) % giro.size()];
    int indice = -1;
    for (size_t i = 0; i < b.g.mn_comb.size(); ++i)
      if (b.g.mn_comb[i].Caption == prossima) indice = static_cast<int>(i);
    if (indice < 0) {
      Errore(QStringLiteral("the menu has no item ") + prossima);
    } else if (b.g.CombinazioneCorrente != prossima) {
      // The first time a combination with a font file is chosen, the player agrees
      // to install the font.
      if (daInstallare.erase(prossima)) {
        b.dialoghi.AccodaPulsante(Risposta::Si);
        domandeAttese = 1;
        ++fontPrevisti;
      }
      b.frm.mn_comb_Click(indice);
      ++n.cambi;
      if (b.g.CombinazioneCorrente != prossima || !b.g.mn_comb[static_cast<size_t>(indice)].Checked)
        Errore(QStringLiteral("choosing ") + prossima + QStringLiteral(" did not put it in use"));
    }
    if (n.partite % 5 == 4) b.frm.mn_attiva_Click();
    ControllaBox("between games");
    if (std::exchange(domandeAttese, 0) > 0 || b.g.FontCaricati.size() != fontPrevisti)
      Errore(QStringLiteral("choosing %1 did not install its font once").arg(prossima));
    // Which combination is in use changes the heap by megabytes (its decoded
    // pictures), so memory is measured always at the same point: just after the
    // first combination of the round has been chosen.
    if (b.orologio.Ora() >= finePeriodo && b.g.CombinazioneCorrente == giro.front())
      misura = Memoria(Minuti());

    if (!nomeAccodato) {
      nomeAccodato = &NomiGiocatori[static_cast<size_t>(n.record) % NomiGiocatori.size()];
      b.dialoghi.AccodaTesto(nomeAccodato->scritto);
    }
    bot.prudenza = Prudenza(n.partite);
    pausaFatta = false;
    inizioPartita = b.orologio.Ora();
    b.frm.Form_KeyPress(Tasti::Spazio);
  }

  // The window's drawing, into an image, now and then: its caches of scaled
  // pictures and fonts live as long as the program too.
  void Disegna() {
    QPainter p(&schermo);
    pittore.Disegna(p, b.g);
    prossimoFotogramma = b.orologio.Ora() + IntervalloFotogrammi;
  }

  Banco b;
  Bot bot;
  ImmaginiIncorporate immagini;
  Pittore pittore{immagini};
  QImage schermo{794, 548, QImage::Format_ARGB32_Premultiplied};
  int64_t prossimoFotogramma = 0;
  std::vector<QString> giro;
  Conteggi n;
  int64_t finePeriodo = 0;
  std::optional<Misura> misura;
  int64_t inizioPartita = 0;
  bool pausaFatta = false;
  const NomeGiocatore* nomeAccodato = nullptr;  // waiting for the next high score
  std::set<QString> daInstallare;               // combinations whose font is not installed
  int domandeAttese = 0;
  size_t fontPrevisti = 0;  // font files registered so far, each once
};

double KiB(size_t byte) {
  return static_cast<double>(byte) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QGuiApplication app(argc, argv);
  QCommandLineParser opzioni;
  opzioni.setApplicationDescription(QStringLiteral(
      "Plays hours of virtual time and checks that memory does not grow after the first."));
  opzioni.addHelpOption();
  const QCommandLineOption ore(QStringLiteral("hours"),
                               QStringLiteral("Virtual hours to play (default 10)."),
                               QStringLiteral("n"), QStringLiteral("10"));
  const QCommandLineOption soglia(
      QStringLiteral("max-growth-kib"),
      QStringLiteral("Largest growth of the heap (and, without AddressSanitizer, of the resident "
                     "size) per hour after the first, in KiB (default 1024)."),
      QStringLiteral("kib"), QStringLiteral("1024"));
  const QCommandLineOption partite(QStringLiteral("games"),
                                   QStringLiteral("Print one line for every game played."));
  const QCommandLineOption sdl(
      QStringLiteral("sdl-audio"),
      QStringLiteral("Decode and play the sounds on SDL's mixer (with SDL_AUDIODRIVER=dummy, "
                     "silently) instead of the audio that does nothing."));
  const QCommandLineOption piu(
      QStringLiteral("more-combinations"),
      QStringLiteral("Adds n combinations, each with its own background and banners, to the "
                     "round between games (default 0)."),
      QStringLiteral("n"), QStringLiteral("0"));
  opzioni.addOptions({ore, soglia, partite, sdl, piu});
  opzioni.process(app);
  bool ok1 = false, ok2 = false, ok3 = false;
  const int numeroOre = opzioni.value(ore).toInt(&ok1);
  const double sogliaKiB = opzioni.value(soglia).toDouble(&ok2);
  const int altre = opzioni.value(piu).toInt(&ok3);
  if (!ok1 || !ok2 || !ok3 || numeroOre < 2 || sogliaKiB < 0 || altre < 0 || altre > 99) {
    std::fprintf(stderr,
                 "soak: --hours must be 2 or more, --max-growth-kib 0 or more, "
                 "--more-combinations 0 to 99\n");
    return 2;
  }
  // Every save is synced to disk, and on a busy disk the syncs would take most of
  // the run's time: the program folder goes on a memory-backed file system when
  // there is one (it measures the game, not the disk).
  if (access("/dev/shm", W_OK) == 0) qputenv("TMPDIR", "/dev/shm");
  QElapsedTimer orologioVero;
  orologioVero.start();
  Soak soak(altre, opzioni.isSet(sdl) ? CreaAudioSdl() : CreaAudioMuto());
  soak.elencaPartite = opzioni.isSet(partite);
  std::printf("audio: %s\n", soak.ConAudio() ? "SDL mixer" : "silent");
  std::vector<Misura> misure{Memoria(0)};
  std::printf("%4s %6s %7s %8s %8s %8s %8s %10s %10s %8s\n", "hour", "at_min", "games", "levels",
              "max_lvl", "records", "switches", "heap_KiB", "rss_KiB", "wall_s");
  for (int ora = 1; ora <= numeroOre; ++ora) {
    misure.push_back(soak.GiocaFinoA(ora * Ora));
    const Conteggi& n = soak.Numeri();
    std::printf("%4d %6lld %7lld %8lld %8d %8lld %8lld %10.0f %10.0f %8.1f\n", ora,
                static_cast<long long>(misure.back().minuto), static_cast<long long>(n.partite),
                static_cast<long long>(n.livelliSuperati), n.livelloMassimo,
                static_cast<long long>(n.record), static_cast<long long>(n.cambi),
                KiB(misure.back().heap), KiB(misure.back().rss),
                static_cast<double>(orologioVero.elapsed()) / 1000.0);
    std::fflush(stdout);
  }

  soak.Esci();
  const Conteggi& n = soak.Numeri();
  // Measured from the first hour's figure to the last, per hour of virtual time in
  // between (each figure is taken past its hour, at the same point of the round).
  const double oreTrascorse = static_cast<double>(misure.back().minuto - misure[1].minuto) / 60.0;
  const auto crescita = [&](size_t Misura::*campo) {
    return (static_cast<double>(misure.back().*campo) - static_cast<double>(misure[1].*campo)) /
           oreTrascorse / 1024.0;
  };
  const double crescitaHeap = crescita(&Misura::heap);
  const double crescitaRss = crescita(&Misura::rss);
  std::printf("pauses %lld, best score %lld\n", static_cast<long long>(n.pause),
              static_cast<long long>(n.punteggioMassimo));
  std::printf("growth per hour after the first: heap %.1f KiB, rss %.1f KiB%s; limit %.0f KiB\n",
              crescitaHeap, crescitaRss, RssGiudicato ? "" : " (the sanitizer's, not judged)",
              sogliaKiB);
  std::printf("wall time %.1f s for %d virtual hours\n",
              static_cast<double>(orologioVero.elapsed()) / 1000.0, numeroOre);

  int esito = 0;
  for (const QString& e : n.errori) {
    std::fprintf(stderr, "soak: %s\n", qPrintable(e));
    esito = 1;
  }
  if (n.partite == 0 || n.record == 0 || n.cambi == 0) {
    std::fprintf(stderr, "soak: the bot did not finish a game, enter a name and switch\n");
    esito = 1;
  }
  if (crescitaHeap > sogliaKiB || (RssGiudicato && crescitaRss > sogliaKiB)) {
    std::fprintf(stderr, "soak: memory grew by more than %.0f KiB an hour\n", sogliaKiB);
    esito = 1;
  }
  return esito;
}
