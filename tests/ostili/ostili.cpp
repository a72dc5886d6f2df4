// Hostile combinations end to end. Each file of the corpus is put in a fresh
// program folder and chosen in the settings file; the game then plays it headless as
// a child process, bounded in time (and, outside the sanitizer build, in address
// space), and picks it again through the menu, agreeing to install its font. The
// run must end well with no sanitizer report, every sprite must show a picture, and
// nothing may change outside the program folder and the user's font folder, nor any
// file the player had in the program folder.
//
//   ostili SKARVEX [WORKDIR] [--passo N] [--sanitizer] [--solo TEXT]
//   ostili --corpus DIR
//
// WORKDIR (by default a new folder in the system's temporary folder) keeps the
// files of the cases that failed, and goes when none did. --passo N checks every
// Nth case only, and those that once broke the game; --solo only the cases whose
// name holds TEXT; --corpus writes the corpus's files into DIR and stops. The cases
// of hostile sounds are also played through the mixer, on SDL's dummy driver, by
// this program itself (`ostili --suona FOLDER`), since the runner is silent. One
// line per run: verdict, time, peak memory, case.
#include "data/Impostazioni.h"
#include "data/RecordFile.h"
#include "game/DialoghiCopione.h"
#include "game/FinestreCopione.h"
#include "game/Gioco.h"
#include "game/OrologioVirtuale.h"
#include "game/frm_main.h"
#include "ostili/Corpus.h"
#include "sound/AudioSdl.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int SecondiMassimi = 20;
constexpr rlim_t MemoriaMassima = rlim_t{2} << 30;  // address space, outside ASan
constexpr char FileGiocatore[] = "!Mia.skcom";      // sorts before any case's file
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

std::string Leggi(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Scrivi(const fs::path& file, const std::string& byte) {
  std::ofstream(file, std::ios::binary) << byte;
}

// Everything under `radice`, by relative path: a folder, a link's target or a
// file's bytes.
std::map<std::string, std::string> Fotografa(const fs::path& radice) {
  std::map<std::string, std::string> voci;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(radice, ec), fine; it != fine; it.increment(ec)) {
    const fs::path& p = it->path();
    std::string& voce = voci[fs::relative(p, radice).string()];
    if (it->is_symlink(ec))
      voce = "link " + fs::read_symlink(p, ec).string();
    else if (it->is_directory(ec))
      voce = "folder";
    else
      voce = "file " + Leggi(p);
  }
  return voci;
}

// A case's folders: what the game may use lives in `radice`; the script's output
// and errors lie beside it.
struct Cartelle {
  fs::path caso, radice, programma, casa, dati, tmp, lavoro, runtime;
  explicit Cartelle(fs::path c)
      : caso(std::move(c)),
        radice(caso / "radice"),
        programma(radice / "programma"),
        casa(radice / "casa"),
        dati(radice / "dati"),
        tmp(radice / "tmp"),
        lavoro(radice / "lavoro"),
        runtime(radice / "runtime") {}
};

// A running process's peak resident memory in KiB, as far as it has got.
long PiccoMemoria(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string riga; std::getline(in, riga);) {
    if (riga.starts_with("VmHWM:")) return std::atol(riga.c_str() + 6);
  }
  return 0;
}

struct Processo {
  bool finito = false;  // false: killed at the time limit
  int stato = 0;        // wait status
  double secondi = 0;
  long kib = 0;  // peak resident memory
};

// Runs `argv` with the case's environment, in its working folder, bounded in time.
Processo Lancia(const std::vector<std::string>& argv, const Cartelle& c, bool sanitizer,
                const std::string& nomeUscita) {
  std::vector<std::string> env = {"PATH=/usr/bin:/bin",
                                  "LANG=C.UTF-8",
                                  "QT_QPA_PLATFORM=offscreen",
                                  "SDL_AUDIODRIVER=dummy",
                                  "HOME=" + c.casa.string(),
                                  "XDG_DATA_HOME=" + c.dati.string(),
                                  "XDG_RUNTIME_DIR=" + c.runtime.string(),
                                  "TMPDIR=" + c.tmp.string()};
  for (const char* nome : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (const char* valore = std::getenv(nome)) env.push_back(std::string(nome) + "=" + valore);
  }
  std::vector<char*> a, e;
  for (const std::string& s : argv) a.push_back(const_cast<char*>(s.c_str()));
  for (const std::string& s : env) e.push_back(const_cast<char*>(s.c_str()));
  a.push_back(nullptr);
  e.push_back(nullptr);
  const std::string out = (c.caso / (nomeUscita + ".out")).string();
  const std::string err = (c.caso / (nomeUscita + ".err")).string();
  const std::string lavoro = c.lavoro.string();

  // The pipe closes when the child has become the program: from then on its peak
  // memory is its own, not that of the copy of this process it started as.
  int tubo[2];
  if (pipe2(tubo, O_CLOEXEC) != 0) return {};
  const auto inizio = std::chrono::steady_clock::now();
  const pid_t figlio = fork();
  if (figlio == 0) {
    setpgid(0, 0);  // so that a kill at the time limit reaches whatever it started
    // ASan reserves terabytes of address space: no limit can hold it.
    const rlimit limite{MemoriaMassima, MemoriaMassima};
    if (!sanitizer) setrlimit(RLIMIT_AS, &limite);
    const int fo = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fe = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fo < 0 || fe < 0 || dup2(fo, 1) < 0 || dup2(fe, 2) < 0 || chdir(lavoro.c_str()) != 0)
      _exit(126);
    execve(a[0], a.data(), e.data());
    _exit(127);
  }
  close(tubo[1]);
  char niente;
  while (figlio > 0 && read(tubo[0], &niente, 1) < 0 && errno == EINTR) {
  }
  close(tubo[0]);

  Processo p;
  const auto limite = inizio + std::chrono::seconds(SecondiMassimi);
  while (figlio > 0) {
    p.kib = std::max(p.kib, PiccoMemoria(figlio));
    const pid_t r = waitpid(figlio, &p.stato, WNOHANG);
    if (r == figlio) {
      p.finito = true;
      break;
    }
    if (r < 0) break;
    if (std::chrono::steady_clock::now() > limite) {
      kill(-figlio, SIGKILL);
      waitpid(figlio, &p.stato, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  p.secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  return p;
}

// What went wrong with a finished run, or nothing.
std::string Difetti(const Processo& p, const std::string& errori) {
  if (!p.finito) return "killed after " + std::to_string(SecondiMassimi) + " s; ";
  if (WIFSIGNALED(p.stato)) return "signal " + std::to_string(WTERMSIG(p.stato)) + "; ";
  std::string difetti;
  if (WEXITSTATUS(p.stato) != 0)
    difetti += "exit status " + std::to_string(WEXITSTATUS(p.stato)) + "; ";
  if (errori.find("Sanitizer") != std::string::npos ||
      errori.find("runtime error") != std::string::npos)
    difetti += "sanitizer report; ";
  return difetti;
}

// Every sprite of every snapshot shows a picture.
std::string DifettiIstantanee(const std::string& uscita) {
  std::istringstream righe(uscita);
  std::string riga, difetti;
  int quante = 0;
  while (std::getline(righe, riga)) {
    ++quante;
    const QJsonObject sprite = QJsonDocument::fromJson(QByteArray::fromStdString(riga))
                                   .object()
                                   .value(QStringLiteral("sprites"))
                                   .toObject();
    if (sprite.isEmpty()) difetti += "snapshot " + std::to_string(quante) + " has no sprites; ";
    for (auto it = sprite.begin(); it != sprite.end(); ++it) {
      const QString figura = it.value().toObject().value(QStringLiteral("Picture")).toString();
      if (figura.isEmpty() || figura == QLatin1String("none"))
        difetti +=
            it.key().toStdString() + " has no picture in snapshot " + std::to_string(quante) + "; ";
    }
  }
  if (quante != Istantanee) difetti += std::to_string(quante) + " snapshots; ";
  return difetti;
}

// What changed between two pictures of the root. New entries may appear only in
// the program folder and the font folder; the entries that were there must stay as
// they were, the player's files in the program folder included, except the
// settings file, which the menu rewrites.
std::string Cambiamenti(const std::map<std::string, std::string>& prima,
                        const std::map<std::string, std::string>& dopo) {
  const std::string scelta = "programma/" + std::string(NomeFileScelta);
  std::string difetti;
  for (const auto& [p, voce] : dopo) {
    const auto era = prima.find(p);
    if (era == prima.end()) {
      if (!p.starts_with("programma/") && p != "dati/fonts" && !p.starts_with("dati/fonts/"))
        difetti += "created " + p + "; ";
    } else if (era->second != voce && p != scelta) {
      difetti += "changed " + p + "; ";
    }
  }
  for (const auto& [p, voce] : prima) {
    if (!dopo.contains(p) && p != scelta) difetti += "removed " + p + "; ";
  }
  for (const char* fuori : FuoriDallaRadice) {
    std::error_code ec;
    if (fs::exists(fuori, ec)) difetti += "created " + std::string(fuori) + "; ";
  }
  return difetti;
}

// The mixer's side, which the headless runner leaves silent: start-up applies the
// combination with SDL's audio, and a game of three seconds plays its sounds.
int Suona(int argc, char** argv, const fs::path& cartella) {
  QGuiApplication app(argc, argv);
  OrologioVirtuale orologio;
  DialoghiCopione dialoghi;
  FinestreCopione finestre;
  const std::unique_ptr<Audio> audio = CreaAudioSdl();
  Gioco g(cartella, orologio, dialoghi, *audio, finestre);
  frm_main frm(g);
  frm.Form_Load();
  frm.Form_KeyPress(32);
  orologio.Avanza(3000);
  frm.mn_comb_Click(0);
  return audio->Disponibile() ? 0 : 3;
}

struct Opzioni {
  fs::path skarvex, lavoro, io;
  size_t passo = 1;
  bool sanitizer = false;
  std::string solo;
  fs::path corpus;
};

// A fresh root holding the case's file, chosen in the settings file, beside a
// combination and a high-score table of the player's.
Cartelle Prepara(const fs::path& cartella, const CasoOstile& caso) {
  Cartelle c(cartella);
  for (const fs::path& d : {c.programma, c.casa, c.dati, c.tmp, c.lavoro, c.runtime})
    fs::create_directories(d);
  fs::permissions(c.runtime, fs::perms::owner_all);
  Scrivi(c.programma / caso.file, caso.byte);
  Scrivi(c.programma / FileGiocatore, CombinazioneBase());
  TabellaRecord tabella = TabellaRecordIniziale();
  tabella[0] = {"Anna", 1234, 3};
  Scrivi(c.programma / "Record", CodificaRecord(tabella));
  (void)ScriviFileScelta(c.programma / NomeFileScelta, c.programma / caso.file, false);
  for (const char* fuori : FuoriDallaRadice) {
    std::error_code ec;
    fs::remove(fuori, ec);
  }
  return c;
}

// One run of a case, checked and printed with its figures; its folder is kept only
// when it fails.
bool Verifica(const std::string& nome, const Cartelle& c, const std::vector<std::string>& argv,
              const Opzioni& o, bool istantanee) {
  const auto prima = Fotografa(c.radice);
  const Processo p = Lancia(argv, c, o.sanitizer, "run");
  std::string difetti = Difetti(p, Leggi(c.caso / "run.err"));
  if (istantanee && difetti.empty()) difetti += DifettiIstantanee(Leggi(c.caso / "run.out"));
  difetti += Cambiamenti(prima, Fotografa(c.radice));
  std::printf("%-4s %7.2f s %8.1f MiB  %s%s%s\n", difetti.empty() ? "ok" : "FAIL", p.secondi,
              static_cast<double>(p.kib) / 1024, nome.c_str(), difetti.empty() ? "" : ": ",
              difetti.c_str());
  std::fflush(stdout);
  if (difetti.empty()) fs::remove_all(c.caso);
  return difetti.empty();
}

std::optional<Opzioni> LeggiOpzioni(int argc, char** argv) {
  Opzioni o;
  std::vector<std::string> posizionali;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool valore = i + 1 < argc;
    if (a == "--sanitizer")
      o.sanitizer = true;
    else if (a == "--passo" && valore)
      o.passo = std::max(1, std::atoi(argv[++i]));
    else if (a == "--solo" && valore)
      o.solo = argv[++i];
    else if (a == "--corpus" && valore)
      o.corpus = argv[++i];
    else if (a.starts_with("--"))
      return std::nullopt;
    else
      posizionali.push_back(a);
  }
  if (!o.corpus.empty() && posizionali.empty()) return o;
  if (posizionali.empty() || posizionali.size() > 2) return std::nullopt;
  o.skarvex = fs::absolute(posizionali[0]);
  if (posizionali.size() == 2) {
    o.lavoro = fs::absolute(posizionali[1]);
  } else {
    // A short path by default, in the system's temporary folder: fontconfig leaks a
    // little at exit when the home folder's path is long (80 bytes or so), which
    // LeakSanitizer would report.
    std::string modello = (fs::temp_directory_path() / "skarvex-ostili-XXXXXX").string();
    if (!mkdtemp(modello.data())) return std::nullopt;
    o.lavoro = modello;
  }
  o.io = fs::read_symlink("/proc/self/exe");
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--suona") return Suona(argc, argv, argv[2]);
  const auto opzioni = LeggiOpzioni(argc, argv);
  if (!opzioni) {
    std::cerr << "usage: ostili SKARVEX [WORKDIR] [--passo N] [--sanitizer] [--solo TEXT]\n"
                 "       ostili --corpus DIR\n";
    return 2;
  }
  const Opzioni& o = *opzioni;
  const std::vector<CasoOstile> corpus = CorpusOstile();
  char numero[32];
  if (!o.corpus.empty()) {
    fs::create_directories(o.corpus);
    for (size_t i = 0; i < corpus.size(); ++i) {
      std::snprintf(numero, sizeof numero, "%03zu-", i);
      Scrivi(o.corpus / (numero + corpus[i].nome + ".skcom"), corpus[i].byte);
    }
    return 0;
  }

  int fatti = 0, falliti = 0;
  for (size_t i = 0; i < corpus.size(); ++i) {
    const CasoOstile& caso = corpus[i];
    if ((i % o.passo != 0 && !caso.sempre) || caso.nome.find(o.solo) == std::string::npos) continue;
    std::snprintf(numero, sizeof numero, "%03zu-", i);
    const std::string nome = numero + caso.nome;
    const fs::path cartella = o.lavoro / std::to_string(i);
    fs::remove_all(cartella);
    const Cartelle c = Prepara(cartella / "copione", caso);
    Scrivi(cartella / "copione.txt", Copione + ("shot " + (cartella / "shot.png").string() + "\n"));
    bool ok = Verifica(nome, c,
                       {o.skarvex.string(), "--headless", "--program-folder", c.programma.string(),
                        (cartella / "copione.txt").string()},
                       o, true);
    if (caso.nome.starts_with("suono")) {
      const Cartelle m = Prepara(cartella / "mixer", caso);
      ok = Verifica(nome + "-mixer", m, {o.io.string(), "--suona", m.programma.string()}, o,
                    false) &&
           ok;
    }
    ++fatti;
    if (ok)
      fs::remove_all(cartella);
    else
      ++falliti;
  }
  std::error_code ec;
  if (falliti == 0)
    fs::remove(o.lavoro, ec);  // only when empty: it may be the caller's own folder
  else
    std::printf("the failed cases' files are in %s\n", o.lavoro.c_str());
  std::printf("%d cases, %d failed\n", fatti, falliti);
  return falliti == 0 ? 0 : 1;
}
