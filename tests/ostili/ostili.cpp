// Hostile combinations end to end. Each file of the corpus, chosen in a fresh program
// folder's settings, is played headless by the game as a child process, bounded in
// time and address space, and picked again through the menu, installing its font. The
// run must end well with no sanitizer report, every sprite showing a picture; nothing
// may change outside the program folder and the user's font folder, nor any file the
// player had; and the one byte in its standard input, a pipe, must still be there. A
// second run only starts the game: with --tempi within 5 s (four times that under the
// sanitizers; a figure for a quiet machine). No run may peak over 600 MiB resident
// outside the sanitizer build. The sounds' cases also go through the mixer on SDL's
// dummy driver, in this program itself (`ostili --suona FOLDER`).
//
//   ostili SKARVEX [--passo N] [--sanitizer] [--tempi]
//   ostili --corpus DIR
//
// --passo N checks every Nth case only, and those that once broke the game; --corpus
// writes the corpus's files into DIR. One line per run: verdict, time, peak memory,
// case. The cases' files are kept, in the system's temporary folder, when one fails.
#include "codec/Impostazioni.h"
#include "codec/RecordFile.h"
#include "game/Partita.h"
#include "seams/LatiCopione.h"
#include "ostili/Corpus.h"
#include "ui/AudioSdl.h"
#include "ui/FontsQt.h"
#include "support/File.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int SecondiMassimi = 60;                  // a run still going then hangs
constexpr rlim_t MemoriaMassima = rlim_t{2} << 30;  // address space, outside ASan
// The sanitizers slow the game down about fourfold and keep freed memory aside.
constexpr double SecondiAvvio = 5, LentezzaSanitizer = 4;
constexpr long KiBMassimi = 600 * 1024;
constexpr char FileGiocatore[] = "!Mia.skcom";  // sorts before any case's file
// A file of the player's that looks like the temporary file of a save cut short,
// left an hour before: not the game's, so never its to delete.
constexpr char FileNascosto[] = ".Appunti.ab12CD";
constexpr int Istantanee = 4;

// The script: the combination as start-up applied it, then picked through the menu
// (index 2, after Default and the player's own), agreeing to install its font,
// Default, and the combination again in a game of three seconds, drawn at the end
// (the picture goes beside the case's root, with a `shot` line added per case).
constexpr char Copione[] = R"(dump
reply yes
menu mn_comb 2
dump
menu mn_comb 0
dump
menu mn_comb 2
keypress 32
wait 3000
dump
)";
constexpr int IstantaneaDefault = 2;  // the third, counting from 0
constexpr char CopioneAvvio[] = "dump\n";

// The sprite that shows each picture slot but the last, the background.
constexpr const char* SpriteDelloSlot[] = {"img_primafila(0)",
                                           "img_secondafila(0)",
                                           "img_terzafila(0)",
                                           "img_quartafila(0)",
                                           "img_quintafila(0)",
                                           "img_proiettilegiocatore",
                                           "img_proiettilenemico(0)",
                                           "img_navicellabonus",
                                           "img_giocatore",
                                           "img_muro(0)",
                                           "img_pausa",
                                           "img_gameover",
                                           "img_nextlevel"};

// A case's folders: what the game may use lives in `radice`; the script's output
// and errors lie beside it.
struct Cartelle {
  fs::path caso, radice = caso / "radice", programma = radice / "programma", casa = radice / "casa",
                 dati = radice / "dati", tmp = radice / "tmp", lavoro = radice / "lavoro",
                 runtime = radice / "runtime";
};

// A running process's peak resident memory in KiB, as far as it has got.
long PiccoMemoria(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string riga; std::getline(in, riga);)
    if (riga.starts_with("VmHWM:")) return std::atol(riga.c_str() + 6);
  return 0;
}

struct Processo {
  bool finito = false;  // false: killed at the time limit
  int stato = 0;        // wait status
  double secondi = 0;
  long kib = 0;       // peak resident memory
  int nonLetti = -1;  // bytes left in its standard input at the end
};

// Runs `argv` with the case's environment, in its working folder, killing it after
// `limite` seconds; its output and errors go to run.out and run.err beside the root.
// Its standard input is a pipe holding one byte, kept open on this side until it has
// ended, so that reading it would either take the byte or wait for ever.
Processo Lancia(const std::vector<fs::path>& argv, const Cartelle& c, double limite) {
  std::vector<std::string> env(
      {"PATH=/usr/bin:/bin", "LANG=C.UTF-8", "QT_QPA_PLATFORM=offscreen", "SDL_AUDIODRIVER=dummy",
       "HOME=" + c.casa.string(), "XDG_DATA_HOME=" + c.dati.string(),
       "XDG_RUNTIME_DIR=" + c.runtime.string(), "TMPDIR=" + c.tmp.string()});
  for (const char* nome : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
    if (const char* valore = std::getenv(nome)) env.push_back(std::string(nome) + "=" + valore);
  std::vector<char*> a, e;
  for (const fs::path& s : argv) a.push_back(const_cast<char*>(s.c_str()));
  for (std::string& s : env) e.push_back(s.data());
  a.push_back(nullptr);
  e.push_back(nullptr);
  Processo p{.finito = true, .stato = 127 << 8};  // as a shell reports a program it cannot start
  int tubo[2];
  if (pipe2(tubo, O_CLOEXEC) != 0) return p;
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_adddup2(&azioni, tubo[0], 0);
  for (const auto& [fd, nome] : {std::pair{1, "run.out"}, std::pair{2, "run.err"}})
    posix_spawn_file_actions_addopen(&azioni, fd, (c.caso / nome).c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&azioni, c.lavoro.c_str());
  posix_spawnattr_t attributi;
  posix_spawnattr_init(&attributi);
  // A group of its own, so that a kill at the time limit reaches whatever it started.
  posix_spawnattr_setflags(&attributi, POSIX_SPAWN_SETPGROUP);

  // posix_spawn returns once the child has become the program: from then on its peak
  // memory is its own, not that of the copy of this process it started as.
  const auto inizio = std::chrono::steady_clock::now();
  pid_t figlio = 0;
  if (write(tubo[1], "?", 1) == 1 &&
      posix_spawn(&figlio, a[0], &azioni, &attributi, a.data(), e.data()) == 0) {
    const auto scadenza = inizio + std::chrono::duration<double>(limite);
    pid_t r = 0;
    while ((r = waitpid(figlio, &p.stato, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() <= scadenza) {
      p.kib = std::max(p.kib, PiccoMemoria(figlio));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    p.finito = r == figlio;
    if (r == 0) {
      kill(-figlio, SIGKILL);
      waitpid(figlio, &p.stato, 0);
    }
  }
  posix_spawn_file_actions_destroy(&azioni);
  posix_spawnattr_destroy(&attributi);
  p.secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  if (int quanti = 0; ioctl(tubo[0], FIONREAD, &quanti) == 0) p.nonLetti = quanti;
  close(tubo[0]);
  close(tubo[1]);
  return p;
}

std::string Decimale(double valore) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.1f", valore);
  return testo;
}

// What went wrong with a finished run, or nothing.
std::string Difetti(const Processo& p, const std::string& errori) {
  if (!p.finito) return "killed after " + Decimale(p.secondi) + " s; ";
  if (WIFSIGNALED(p.stato)) return "signal " + std::to_string(WTERMSIG(p.stato)) + "; ";
  std::string difetti;
  if (WEXITSTATUS(p.stato) != 0)
    difetti += "exit status " + std::to_string(WEXITSTATUS(p.stato)) + "; ";
  if (errori.find("Sanitizer") != std::string::npos ||
      errori.find("runtime error") != std::string::npos)
    difetti += "sanitizer report; ";
  return difetti;
}

QString FiguraSlot(const QJsonObject& istantanea, int slot) {
  if (slot >= static_cast<int>(std::size(SpriteDelloSlot)))
    return istantanea["background"].toString();
  return istantanea["sprites"][SpriteDelloSlot[slot]]["Picture"].toString();
}

// Every sprite of every snapshot shows a picture. With the whole script, the slots
// the case names show the built-in picture, as the snapshot of Default does, or
// their own, in each of the other snapshots.
std::string DifettiIstantanee(const std::string& uscita, int attese, const CasoOstile& caso) {
  std::istringstream righe(uscita);
  std::string difetti;
  std::vector<QJsonObject> istantanee;
  for (std::string riga; std::getline(righe, riga);) {
    const std::string dove = " in snapshot " + std::to_string(istantanee.size() + 1) + "; ";
    istantanee.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(riga)).object());
    const QJsonObject sprite = istantanee.back()["sprites"].toObject();
    if (sprite.isEmpty()) difetti += "no sprites" + dove;
    for (const QString& nome : sprite.keys()) {
      const QString figura = sprite[nome]["Picture"].toString();
      if (figura.isEmpty() || figura == "none")
        difetti += nome.toStdString() + " has no picture" + dove;
    }
  }
  if (std::ssize(istantanee) != attese)
    return difetti + std::to_string(istantanee.size()) + " snapshots; ";
  if (attese != Istantanee) return difetti;
  const auto confronta = [&](const std::vector<int>& slot, bool propria) {
    for (const int n : slot) {
      const QString incorporata = FiguraSlot(istantanee[IstantaneaDefault], n);
      if (incorporata.isEmpty())
        difetti += "no picture " + std::to_string(n) + " in the snapshot of Default; ";
      for (int i = 0; i < attese; ++i) {
        const QString figura = FiguraSlot(istantanee[i], n);
        if (i == IstantaneaDefault || (figura == incorporata) != propria) continue;
        difetti +=
            "picture " + std::to_string(n) + " is " +
            (propria ? "the built-in one" : figura.toStdString() + ", not the built-in one") +
            " in snapshot " + std::to_string(i + 1) + "; ";
      }
    }
  };
  confronta(caso.predefinite, false);
  confronta(caso.proprie, true);
  return difetti;
}

// What changed between two pictures of the root. New entries may appear only in
// the program folder and the font folder (there not at all for a case whose font
// must not be installed); the entries that were there must stay as they were, the
// player's files in the program folder included, except the settings file, which
// the menu rewrites.
std::string Cambiamenti(const std::map<std::string, std::string>& prima,
                        const std::map<std::string, std::string>& dopo, bool nessunFont) {
  const std::string scelta = "programma/" + std::string(NomeFileScelta);
  std::string difetti;
  for (const auto& [p, voce] : dopo) {
    const auto era = prima.find(p);
    if (era == prima.end()) {
      // A link, wherever it is, could lead a later write out of these folders.
      if (p.ends_with("//") || (!p.starts_with("programma/") && !p.starts_with("dati/fonts/")))
        difetti += "created " + p + "; ";
      else if (nessunFont && p.starts_with("dati/fonts/") && p != "dati/fonts/")
        difetti += "installed " + p + "; ";
    } else if (era->second != voce && p != scelta) {
      difetti += "changed " + p + "; ";
    }
  }
  for (const auto& [p, voce] : prima)
    if (!dopo.contains(p) && p != scelta) difetti += "removed " + p + "; ";
  for (const char* fuori : FuoriDallaRadice)
    if (std::error_code ec; fs::exists(fuori, ec))
      difetti += "created " + std::string(fuori) + "; ";
  return difetti;
}

// The mixer's side, which the headless runner leaves silent: start-up applies the
// combination with SDL's audio, and a game of three seconds plays its sounds.
int Suona(int argc, char** argv, const fs::path& cartella) {
  QGuiApplication app(argc, argv);
  Partita<LatiCopione> p(cartella, CreaAudioSdl(), std::make_unique<FontsQt>());
  p.frm.Form_Load();
  p.frm.Form_KeyPress(32);
  p.orologio.Avanza(3000);
  p.frm.mn_comb_Click(0);
  return p.audio->Disponibile() ? 0 : 3;
}

// A fresh root holding the case's file, chosen in the settings file, beside a
// combination, a high-score table, a hidden file of the player's and whatever
// else of the player's the case asks for.
Cartelle Prepara(const fs::path& cartella, const CasoOstile& caso) {
  const Cartelle c{cartella};
  for (const fs::path& d : {c.programma, c.casa, c.dati, c.tmp, c.lavoro, c.runtime})
    fs::create_directories(d);
  fs::permissions(c.runtime, fs::perms::owner_all);
  ScriviTutto(c.programma / caso.file, caso.byte);
  ScriviTutto(c.programma / FileGiocatore, CombinazioneBase());
  TabellaRecord tabella = TabellaRecordIniziale();
  tabella[0] = {"Anna", 1234, 3};
  ScriviTutto(c.programma / "Record", CodificaRecord(tabella));
  (void)ScriviFileScelta(c.programma / NomeFileScelta, c.programma / caso.file, false);
  ScriviTutto(c.programma / FileNascosto, "appunti del giocatore\n");
  fs::last_write_time(c.programma / FileNascosto,
                      fs::file_time_type::clock::now() - std::chrono::hours(1));
  for (const auto& [nome, byte] : caso.fileGiocatore) ScriviTutto(c.programma / nome, byte);
  for (const char* fuori : FuoriDallaRadice) std::remove(fuori);
  return c;
}

// What a run is held to, besides ending well and leaving the player's files alone.
struct Regole {
  int istantanee = 0;  // the snapshots its script prints; 0: no snapshots are read
  double secondi = SecondiMassimi;
  bool memoria = true;  // its peak resident memory is held to the limit
};

// One run of a case, checked and printed with its figures; its folder is kept only
// when it fails.
bool Verifica(const std::string& nome, const Cartelle& c, const std::vector<fs::path>& argv,
              const CasoOstile& caso, const Regole& regole) {
  const auto prima = ContenutoCartella(c.radice);
  const Processo p = Lancia(argv, c, std::min<double>(2 * regole.secondi, SecondiMassimi));
  std::string difetti = Difetti(p, LeggiTutto(c.caso / "run.err"));
  if (regole.istantanee > 0 && difetti.empty())
    difetti += DifettiIstantanee(LeggiTutto(c.caso / "run.out"), regole.istantanee, caso);
  if (p.finito && p.secondi > regole.secondi)
    difetti += "took " + Decimale(p.secondi) + " s, over " + Decimale(regole.secondi) + " s; ";
  if (regole.memoria && p.kib > KiBMassimi)
    difetti += "peak of " + Decimale(static_cast<double>(p.kib) / 1024) + " MiB, over " +
               std::to_string(KiBMassimi / 1024) + " MiB; ";
  if (p.nonLetti != 1) difetti += "read its standard input; ";
  difetti += Cambiamenti(prima, ContenutoCartella(c.radice), caso.nessunFont);
  std::printf("%-4s %7.2f s %8.1f MiB  %s%s%s\n", difetti.empty() ? "ok" : "FAIL", p.secondi,
              static_cast<double>(p.kib) / 1024, nome.c_str(), difetti.empty() ? "" : ": ",
              difetti.c_str());
  std::fflush(stdout);
  if (difetti.empty()) fs::remove_all(c.caso);
  return difetti.empty();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 2 && a[0] == "--suona") return Suona(argc, argv, a[1]);
  const std::vector<CasoOstile> corpus = CorpusOstile();
  const auto nome = [&](size_t i) {
    char numero[32];
    std::snprintf(numero, sizeof numero, "%03zu-", i);
    return numero + corpus[i].nome;
  };
  if (a.size() == 2 && a[0] == "--corpus") {
    fs::create_directories(a[1]);
    for (size_t i = 0; i < corpus.size(); ++i)
      ScriviTutto(fs::path(a[1]) / (nome(i) + ".skcom"), corpus[i].byte);
    return 0;
  }
  size_t passo = 1;
  bool sanitizer = false, tempi = false, capito = !a.empty() && !a[0].starts_with("--");
  for (size_t i = 1; i < a.size() && capito; ++i) {
    if (a[i] == "--sanitizer")
      sanitizer = true;
    else if (a[i] == "--tempi")
      tempi = true;
    else if (a[i] == "--passo" && i + 1 < a.size())
      passo = static_cast<size_t>(std::max(1, std::atoi(a[++i].c_str())));
    else
      capito = false;
  }
  // A short path, in the system's temporary folder: fontconfig leaks a little at exit
  // when the home folder's path is long (80 bytes or so), which LeakSanitizer would
  // report.
  std::string lavoro = (fs::temp_directory_path() / "skarvex-ostili-XXXXXX").string();
  if (!capito || !mkdtemp(lavoro.data())) {
    std::fputs(
        "usage: ostili SKARVEX [--passo N] [--sanitizer] [--tempi]\n       ostili --corpus DIR\n",
        stderr);
    return 2;
  }
  // The limit passes to every run; ASan reserves terabytes of address space, which
  // no limit can hold.
  if (const rlimit limite{MemoriaMassima, MemoriaMassima}; !sanitizer)
    setrlimit(RLIMIT_AS, &limite);
  const fs::path skarvex = fs::absolute(a[0]), io = fs::read_symlink("/proc/self/exe");

  const double secondiAvvio =
      tempi ? SecondiAvvio * (sanitizer ? LentezzaSanitizer : 1) : SecondiMassimi;
  int fatti = 0, falliti = 0;
  for (size_t i = 0; i < corpus.size(); ++i) {
    const CasoOstile& caso = corpus[i];
    if (i % passo != 0 && !caso.sempre) continue;
    const fs::path cartella = fs::path(lavoro) / std::to_string(i);
    // The whole script, a start-up alone, and for a sound the mixer, each in a fresh root.
    const auto esegui = [&](const std::string& parte, const std::string& copione, Regole regole) {
      const Cartelle c = Prepara(cartella / parte, caso);
      std::vector<fs::path> comando = {io, "--suona", c.programma};
      if (!copione.empty()) {
        ScriviTutto(cartella / (parte + ".txt"), copione);
        comando = {skarvex, "--headless", "--program-folder", c.programma,
                   cartella / (parte + ".txt")};
      }
      regole.memoria = !sanitizer;
      return Verifica(nome(i) + (parte == "copione" ? "" : "-" + parte), c, comando, caso, regole);
    };
    bool ok = esegui("copione", Copione + ("shot " + (cartella / "shot.png").string() + "\n"),
                     {.istantanee = Istantanee});
    ok &= esegui("avvio", CopioneAvvio, {.istantanee = 1, .secondi = secondiAvvio});
    if (caso.nome.starts_with("suono")) ok &= esegui("mixer", "", {});
    ++fatti;
    falliti += !ok;
    if (ok) fs::remove_all(cartella);
  }
  if (falliti > 0) std::printf("the failed cases' files are in %s\n", lavoro.c_str());
  if (falliti == 0) fs::remove_all(lavoro);
  std::printf("%d cases, %d failed\n", fatti, falliti);
  return falliti == 0 ? 0 : 1;
}
