// The worst case of each class of hostile input that the gate and the headless runner
// meet, run as whole processes, as a player, a file manager or an outside check runs
// them. For a picture whose JPEG carries 160,000 empty APP1 segments, and one of
// 2,030 full-size comment segments (127 MiB): the time and the peak memory of the
// whole process tree of `skarvex-comb check` and of the runner applying it. For a
// music of a million notes struck and never released, and one of 2,000: the bytes
// the game writes to standard error and the CPU it takes while a game plays for N
// seconds with SDL's audio. For a script with a 50 MB line: the runner's time, memory
// and standard error.
//
//   casi_peggiori [--secondi N]             (N seconds of play for each music; 10)
//   casi_peggiori --suona FOLDER SECONDS    (one such game, started by the first form)
#include <QGuiApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "codec/Combinazione.h"
#include "codec/Impostazioni.h"
#include "game/Partita.h"
#include "seams/LatiCopione.h"
#include "support/Combinazioni.h"
#include "support/File.h"
#include "support/MediaOstili.h"
#include "ui/AudioSdl.h"
#include "ui/FontsQt.h"

namespace fs = std::filesystem;
using Adesso = std::chrono::steady_clock;

namespace {

constexpr double SecondiMassimi = 600;

// The processes descended from `pid`, itself included.
std::vector<pid_t> Albero(pid_t pid) {
  std::vector<pid_t> albero{pid};
  for (size_t i = 0; i < albero.size(); ++i) {
    std::error_code ec;
    for (const auto& compito :
         fs::directory_iterator("/proc/" + std::to_string(albero[i]) + "/task", ec)) {
      std::ifstream figli(compito.path() / "children");
      for (pid_t figlio = 0; figli >> figlio;) albero.push_back(figlio);
    }
  }
  return albero;
}

long Campo(pid_t pid, const char* nome) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string riga; std::getline(in, riga);)
    if (riga.starts_with(nome)) return std::atol(riga.c_str() + std::string_view(nome).size());
  return 0;
}

struct Misura {
  bool finito = false;
  int stato = 0;
  double secondi = 0, mib = 0, cpu = 0;
  uintmax_t byteErrori = 0;
};

// Runs `argv` with standard error into `errori`, killing its group after
// SecondiMassimi. Its peak memory is the largest sum of the resident memory of its
// process tree seen every millisecond, or its own peak if that is larger (not the
// system's count for a child, which starts from this process's as it was forked).
Misura Lancia(const std::vector<std::string>& argv, const fs::path& errori) {
  std::vector<char*> a;
  for (const std::string& s : argv) a.push_back(const_cast<char*>(s.c_str()));
  a.push_back(nullptr);
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 2, errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawnattr_t attributi;
  posix_spawnattr_init(&attributi);
  posix_spawnattr_setflags(&attributi, POSIX_SPAWN_SETPGROUP);
  Misura m;
  const auto inizio = Adesso::now();
  pid_t figlio = 0;
  if (posix_spawn(&figlio, a[0], &azioni, &attributi, a.data(), environ) == 0) {
    long kib = 0;
    rusage uso{};
    pid_t r = 0;
    while ((r = wait4(figlio, &m.stato, WNOHANG, &uso)) == 0 &&
           Adesso::now() - inizio < std::chrono::duration<double>(SecondiMassimi)) {
      long somma = 0;
      for (const pid_t p : Albero(figlio)) somma += Campo(p, "VmRSS:");
      kib = std::max({kib, somma, Campo(figlio, "VmHWM:")});
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    m.finito = r == figlio;
    if (r == 0) {
      kill(-figlio, SIGKILL);
      wait4(figlio, &m.stato, 0, &uso);
    }
    m.mib = static_cast<double>(kib) / 1024;
    m.cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
            static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
  }
  m.secondi = std::chrono::duration<double>(Adesso::now() - inizio).count();
  posix_spawn_file_actions_destroy(&azioni);
  posix_spawnattr_destroy(&attributi);
  std::error_code ec;
  m.byteErrori = fs::file_size(errori, ec);
  return m;
}

void Stampa(const std::string& cosa, const Misura& m) {
  const std::string esito = !m.finito              ? "killed"
                            : WIFSIGNALED(m.stato) ? "signal " + std::to_string(WTERMSIG(m.stato))
                                                   : "exit " + std::to_string(WEXITSTATUS(m.stato));
  std::printf("%-44s %8.2f s %8.1f MiB %7.2f s CPU %12ju B stderr  %s\n", cosa.c_str(), m.secondi,
              m.mib, m.cpu, m.byteErrori, esito.c_str());
  std::fflush(stdout);
}

// A program folder holding the combination whose background is `sfondo` and whose
// music is `musica`, chosen in the settings file.
fs::path Cartella(const fs::path& radice, const std::string& nome, const std::string& sfondo,
                  const std::string& musica = {}) {
  const fs::path cartella = radice / nome;
  fs::create_directories(cartella);
  TipoCombinazione c = CombinazioneVuota("Peggiore");
  if (!sfondo.empty()) c.Immagini[13] = sfondo;
  c.Suoni[0] = musica;
  c.Volumi[0] = 0;
  ScriviTutto(cartella / "Peggiore.skcom", CodificaCombinazione(c));
  (void)ScriviFileScelta(cartella / NomeFileScelta, cartella / "Peggiore.skcom", true);
  return cartella;
}

// The game with SDL's audio: start-up applies the combination, a game starts and its
// music plays for `secondi` of real time, the timers ticking every 25 ms.
int Suona(int argc, char** argv, const fs::path& cartella, double secondi) {
  QGuiApplication app(argc, argv);
  Partita<LatiCopione> p(cartella, CreaAudioSdl(), std::make_unique<FontsQt>());
  p.frm.Form_Load();
  p.frm.Form_KeyPress(32);
  const auto fine = Adesso::now() + std::chrono::duration<double>(secondi);
  while (Adesso::now() < fine) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    p.orologio.Avanza(25);
  }
  return p.g.audio.MusicaAperta() ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 3 && a[0] == "--suona") return Suona(argc, argv, a[1], std::atof(a[2].c_str()));
  double secondi = 10;
  std::string filtro;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == "--secondi" && i + 1 < a.size())
      secondi = std::atof(a[++i].c_str());
    else
      filtro = a[i];
  }
  QGuiApplication app(argc, argv);
  QTemporaryDir temporanea;
  const fs::path radice = temporanea.path().toStdString();
  const fs::path io = fs::read_symlink("/proc/self/exe"), errori = radice / "errori.txt";
  // A home of its own: nothing the game writes outside its folder reaches the real one.
  fs::create_directories(radice / "casa");
  setenv("HOME", (radice / "casa").c_str(), 1);
  setenv("XDG_DATA_HOME", (radice / "casa").c_str(), 1);
  ScriviTutto(radice / "dump.txt", "dump\n");
  // Each case whose name holds the filter, measured and printed.
  const auto misura = [&](const std::string& cosa, const std::vector<std::string>& argv_) {
    if (cosa.find(filtro) != std::string::npos) Stampa(cosa, Lancia(argv_, errori));
  };

  std::printf("%-44s %10s %12s %15s %21s\n", "case", "time", "peak memory", "CPU", "stderr");
  const std::string jpeg = media_ostili::Jpeg();
  const std::pair<std::string, std::function<std::string()>> immagini[] = {
      {"160,000 empty APP1 segments",
       [&] { return media_ostili::ConSegmenti(jpeg, 0xE1, 160'000); }},
      {"2,030 full-size COM segments",
       [&] { return media_ostili::ConSegmenti(jpeg, 0xFE, 2030, 65533); }},
  };
  for (const auto& [nome, fai] : immagini) {
    if (nome.find(filtro) == std::string::npos && filtro.find(nome) == std::string::npos) continue;
    const fs::path cartella = Cartella(radice, "immagine", fai());
    misura(nome + ": check", {SKARVEX_COMB, "check", cartella / "Peggiore.skcom"});
    misura(nome + ": applying",
           {SKARVEX_ESEGUIBILE, "--headless", "--program-folder", cartella, radice / "dump.txt"});
    fs::remove_all(cartella);
  }

  const std::pair<std::string, std::function<std::string()>> musiche[] = {
      {"a million notes held", [] { return media_ostili::MidiNoteTenute(1'000'000); }},
      {"2,000 notes held", [] { return media_ostili::MidiNoteTenute(2000); }},
      {"1,000 notes struck at once, as many as the gate lets through",
       [] { return media_ostili::MidiRaffica(1000, 0); }},
  };
  for (const auto& [nome, fai] : musiche) {
    if (nome.find(filtro) == std::string::npos && filtro.find(nome) == std::string::npos) continue;
    const fs::path cartella = Cartella(radice, "musica", "", fai());
    misura(nome + ": check", {SKARVEX_COMB, "check", cartella / "Peggiore.skcom"});
    misura(nome + ": " + std::to_string(static_cast<int>(secondi)) + " s of play",
           {io, "--suona", cartella, std::to_string(secondi)});
    fs::remove_all(cartella);
  }

  const std::string lunga = "a script line of 50 MB";
  if (lunga.find(filtro) != std::string::npos) {
    const fs::path cartella = Cartella(radice, "copione", "");
    std::ofstream(radice / "lunga.txt", std::ios::binary)
        << "dump\n"
        << std::string(50'000'000, 'x') << "\ndump\n";
    misura(lunga,
           {SKARVEX_ESEGUIBILE, "--headless", "--program-folder", cartella, radice / "lunga.txt"});
  }
  return 0;
}
