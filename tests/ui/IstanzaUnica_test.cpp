// One game per program folder and user: starts launched together or close together end
// with one game that has every file; a hand-off carries any path whole and brings back
// what became of each file, whatever other clients do meanwhile; a replay handed over is
// watched in the running game.
#include "ui/IstanzaUnica.h"

#include <QDir>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

#include "codec/Combinazione.h"
#include "codec/Replica.h"
#include "game/Partita.h"
#include "replay/Registratore.h"
#include "seams/LatiCopione.h"
#include "support/Combinazioni.h"
#include "support/File.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Messages are framed, so any byte a file name may hold arrives as it was; what no
// message can carry is split, and what is not a well-formed message is nothing.
TEST(Consegna, MessagesCarryAnyPathWholeWithinTheirLimits) {
  const std::vector<fs::path> strani = {"/a/due\nrighe.skcom", "/a/\xff\xfe.skcom", "/a/\0b.skcom"};
  const auto messaggi = MessaggiConsegna(strani);
  ASSERT_EQ(messaggi.size(), 1u);
  EXPECT_EQ(LeggiConsegna(QByteArrayView(messaggi[0]).sliced(4)), strani);
  EXPECT_EQ(LeggiConsegna(QByteArrayView(MessaggiConsegna({})[0]).sliced(4)),
            std::vector<fs::path>{});

  const std::vector<fs::path> molti(600, fs::path("/" + std::string(300, 'x')));
  size_t arrivati = 0;
  for (const QByteArray& m : MessaggiConsegna(molti)) {
    ASSERT_LE(m.size() - 4, static_cast<qsizetype>(MaxByteConsegna));
    const auto file = LeggiConsegna(QByteArrayView(m).sliced(4));
    ASSERT_TRUE(file && file->size() <= MaxFileConsegna);
    arrivati += file->size();
  }
  EXPECT_EQ(arrivati, molti.size());

  for (const QByteArray& rotto : {QByteArray("A"), QByteArray("A\0\0", 3),
                                  QByteArray("A\x05\0abc", 6), QByteArray("X"), QByteArray("R!")})
    EXPECT_FALSE(LeggiConsegna(rotto)) << rotto.toHex().toStdString();
  const std::vector<EsitoFile> esiti = {{false, "added"}, {true, "not added: perché"}};
  const QByteArray risposta = MessaggioRisposta(esiti);
  const auto letti = LeggiRisposta(QByteArrayView(risposta).sliced(4));
  ASSERT_TRUE(letti && letti->size() == 2);
  EXPECT_TRUE(!(*letti)[0].rifiutato && (*letti)[1].rifiutato &&
              (*letti)[1].testo == esiti[1].testo);
}

// A game or a later start, with its own output files; ended only by its id.
struct Processo {
  pid_t pid = -1;
  fs::path log;
  std::optional<int> stato;

  bool Finito(int ms) {
    int s = 0;
    for (; !stato && ::waitpid(pid, &s, WNOHANG) != pid; ms -= 10, QThread::msleep(10))
      if (ms <= 0) return false;
    if (!stato) stato = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return true;
  }
  std::string Out() const { return LeggiTutto(log.string() + ".out"); }
  std::string Err() const { return LeggiTutto(log.string() + ".err"); }
};

// Folders of its own for every run: the program folder, the runtime folder, a home.
struct Giochi {
  Giochi() {
    for (const char* c : {"prog", "run", "casa", "altrove"}) fs::create_directories(radice / c);
    ::chmod((radice / "run").c_str(), 0700);
  }
  ~Giochi() {
    for (Processo& p : processi)
      if (!p.Finito(0)) {
        ::kill(p.pid, SIGKILL);
        p.Finito(10000);
      }
  }

  // `argomenti` after the program and its folder, byte for byte; run from `dove`.
  Processo& Avvia(const std::vector<std::string>& argomenti, const fs::path& dove = {}) {
    std::vector<std::string> parole = {SKARVEX_ESEGUIBILE, "--program-folder", Cartella().string()};
    parole.insert(parole.end(), argomenti.begin(), argomenti.end());
    std::vector<std::string> ambiente = {"QT_QPA_PLATFORM=offscreen", "SDL_AUDIODRIVER=dummy",
                                         "XDG_RUNTIME_DIR=" + (radice / "run").string(),
                                         "HOME=" + (radice / "casa").string(),
                                         "XDG_DATA_HOME=" + (radice / "casa").string()};
    for (char** e = environ; *e; ++e)
      if (const std::string_view v = *e;
          !v.starts_with("QT_") && !v.starts_with("XDG_") && !v.starts_with("HOME="))
        ambiente.emplace_back(v);
    Processo& p = processi.emplace_back();
    p.log = radice / ("log" + std::to_string(processi.size()));
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    for (const auto& [fd, coda] : {std::pair{1, ".out"}, {2, ".err"}})
      posix_spawn_file_actions_addopen(&azioni, fd, (p.log.string() + coda).c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!dove.empty()) posix_spawn_file_actions_addchdir_np(&azioni, dove.c_str());
    const auto puntatori = [](std::vector<std::string>& v) {
      std::vector<char*> fine(v.size() + 1);  // the last one null
      std::ranges::transform(v, fine.begin(), [](std::string& s) { return s.data(); });
      return fine;
    };
    auto argv = puntatori(parole);
    auto envp = puntatori(ambiente);
    EXPECT_EQ(::posix_spawn(&p.pid, argv[0], &azioni, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&azioni);
    return p;
  }

  fs::path Cartella() const { return radice / "prog"; }
  // A combination file stored as `nome`, outside the program folder.
  std::string Ricevuta(const std::string& file, const std::string& nome) {
    ScriviTutto(radice / "altrove" / file, CodificaCombinazione(CombinazioneVuota(nome)));
    return (radice / "altrove" / file).string();
  }
  // The game's socket, once it answers there.
  QString Socket() {
    const QString run = QString::fromStdString((radice / "run").string());
    for (int i = 0; i < 2000; ++i, QThread::msleep(10))
      for (const QString& s : QDir(run).entryList({"skarvex-*"}, QDir::System)) {
        QLocalSocket prova;
        prova.connectToServer(run + '/' + s);
        if (prova.waitForConnected(100)) return run + '/' + s;
      }
    return {};
  }
  // The games still running among the processes, ended by their id; each must end well.
  int FinisciGiochi() {
    int giochi = 0;
    for (Processo& p : processi) {
      if (p.Finito(0)) continue;
      ++giochi;
      ::kill(p.pid, SIGTERM);
      EXPECT_TRUE(p.Finito(20000));
      EXPECT_EQ(p.stato, 0) << p.log << ": " << p.Err();
    }
    return giochi;
  }

  QTemporaryDir temporanea;
  fs::path radice = temporanea.path().toStdString();
  std::list<Processo> processi;
};
struct Istanza : ::testing::Test, Giochi {};

// What a file manager does with several files selected, or a player clicking twice:
// N starts at once, or a few close together, and always one game with every file.
TEST_F(Istanza, StartsTogetherOrCloseTogetherEndWithOneGameHoldingEveryFileOnce) {
  for (const auto& [quanti, intervallo] : std::initializer_list<std::pair<int, int>>{
           {2, 0}, {3, 0}, {8, 0}, {3, 60}, {3, 200}, {2, 500}}) {
    SCOPED_TRACE(::testing::Message() << quanti << " starts " << intervallo << " ms apart");
    Giochi giochi;
    for (int i = 0; i < quanti; ++i) {
      const std::string nome = "C" + std::to_string(i);
      giochi.Avvia({giochi.Ricevuta(nome + "-ricevuta.skcom", nome)});
      QThread::msleep(static_cast<unsigned long>(intervallo));
    }
    // Every start but one hands its file over and ends.
    const auto consegnate = [&giochi] {
      return std::ranges::count_if(giochi.processi, [](Processo& p) { return p.Finito(0); });
    };
    for (int i = 0; i < 3000 && consegnate() < quanti - 1; ++i) QThread::msleep(10);
    for (Processo& p : giochi.processi) EXPECT_EQ(p.stato.value_or(0), 0) << p.Err();
    EXPECT_EQ(consegnate(), quanti - 1);
    for (int i = 0; i < quanti; ++i) {
      const std::string nome = "C" + std::to_string(i) + ".skcom";
      for (int t = 0; t < 3000 && !fs::exists(giochi.Cartella() / nome); ++t) QThread::msleep(10);
      EXPECT_EQ(LeggiTutto(giochi.Cartella() / nome),
                CodificaCombinazione(CombinazioneVuota("C" + std::to_string(i))))
          << nome;
    }
    EXPECT_EQ(giochi.FinisciGiochi(), 1);
    EXPECT_EQ(ContenutoCartella(giochi.Cartella()).count("C0 2.skcom"), 0u);
  }
}

// Names with a line break or bytes that are not UTF-8 arrive whole, and never as
// another file of the game's own working folder; a silent client, a flood of idle ones
// and junk keep no real hand-off out; a refusal is said by the start that handed the file
// over, which then fails. A game killed outright leaves nothing that stops the next.
TEST_F(Istanza, AHandOffCarriesAnyPathWholeAndSaysWhatBecameOfEachFile) {
  Processo& ucciso = Avvia({});
  ASSERT_FALSE(Socket().isEmpty()) << ucciso.Err();
  ::kill(ucciso.pid, SIGKILL);
  ASSERT_TRUE(ucciso.Finito(10000));

  const fs::path lavoro = radice / "lavoro";
  fs::create_directories(lavoro);
  ScriviTutto(lavoro / "righe.skcom", CodificaCombinazione(CombinazioneVuota("Sbagliata")));
  Processo& gioco = Avvia({}, lavoro);
  const QString socket = Socket();
  ASSERT_FALSE(socket.isEmpty()) << gioco.Err();
  // Idle clients, and junk that claims too much or is no message at all.
  std::vector<std::unique_ptr<QLocalSocket>> altri;
  for (const QByteArray& invio : {QByteArray(), QByteArray("\xff\xff\xff\xff junk"),
                                  QByteArray("\x05\0\0\0XXXXX", 9), QByteArray("\x02\0\0", 3)})
    for (int i = 0; i < (invio.isEmpty() ? 20 : 1); ++i) {
      auto& s = altri.emplace_back(std::make_unique<QLocalSocket>());
      s->connectToServer(socket);
      ASSERT_TRUE(s->waitForConnected(5000));
      s->write(invio);
      s->waitForBytesWritten(1000);
    }

  TipoCombinazione rifiutata = CombinazioneVuota("Rifiutata");
  rifiutata.Immagini[0] = "non è un'immagine";
  ScriviTutto(radice / "altrove/r.skcom", CodificaCombinazione(rifiutata));
  const std::vector<std::string> file = {Ricevuta("due\nrighe.skcom", "Righe"),
                                         Ricevuta("\xff\xfe.skcom", "Strana"),
                                         (radice / "altrove/r.skcom").string()};
  Processo& consegna = Avvia(file);
  ASSERT_TRUE(consegna.Finito(20000));
  // Not kept waiting until the idle ones were timed out: the last of them is still there.
  EXPECT_FALSE(altri.back()->waitForDisconnected(10));
  EXPECT_EQ(consegna.stato, 1);
  const std::string come = ": added as " + Cartella().string() + "/";
  EXPECT_EQ(consegna.Out(), file[0] + come + "Righe.skcom, the name stored in it\n" + file[1] +
                                come + "Strana.skcom, the name stored in it\n");
  EXPECT_EQ(consegna.Err(), "skarvex: " + file[2] +
                                ": not added: the game refuses Immagini(0) Alieno 1: not a kind "
                                "of file this slot takes\n");
  EXPECT_FALSE(fs::exists(Cartella() / "Sbagliata.skcom") ||
               fs::exists(Cartella() / "Rifiutata.skcom"));

  // With no file, a start only brings the game's window up.
  Processo& alza = Avvia({});
  ASSERT_TRUE(alza.Finito(20000));
  EXPECT_EQ(alza.stato, 0) << alza.Err();
  EXPECT_EQ(FinisciGiochi(), 1);
  fs::remove(file[1]);  // a name the temporary folder's own clean-up cannot spell
}

// The replay of a game whose player never moved: the aliens have their way.
std::string ReplicaOziosa(const fs::path& cartella) {
  Partita<LatiCopione> p(cartella);
  p.frm.Form_Load();
  Registratore registratore(p.g, p.smista, [&p] { return p.orologio.Ora(); });
  p.smista.Clicca(&frm_main::img_gameover_Click);
  while (!p.g.img_gameover.Visible) p.orologio.Avanza(100);
  const auto finita = registratore.PrendiFinita();
  EXPECT_TRUE(finita);
  return finita ? CodificaReplica(finita->replica).valore() : std::string();
}

// A replay is told by its bytes, whatever its name, and watched in the game already
// running, one at a time; a FIFO is looked at without hanging the game, and --rivedi
// takes only replays.
TEST_F(Istanza, AReplayHandedOverIsWatchedInTheRunningGame) {
  const fs::path altrove = radice / "altrove";
  const fs::path buona = altrove / "la partita di ieri";
  ScriviTutto(buona, ReplicaOziosa(radice / "casa"));
  const std::string combinazione = Ricevuta("Blu.skcom", "Blu");
  const fs::path fifo = altrove / "fifo.skrep";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  Processo& gioco = Avvia({});
  ASSERT_FALSE(Socket().isEmpty()) << gioco.Err();
  Processo& nonReplica = Avvia({"--rivedi", combinazione});
  ASSERT_TRUE(nonReplica.Finito(20000));
  EXPECT_EQ(nonReplica.stato, 2);
  EXPECT_EQ(nonReplica.Err(), "skarvex: '" + combinazione + "' is not a replay file\n");

  Processo& consegna = Avvia({"--rivedi", buona.string()});
  ASSERT_TRUE(consegna.Finito(20000));
  EXPECT_EQ(consegna.stato, 0) << consegna.Err();
  EXPECT_EQ(consegna.Out(), buona.string() + ": watched in the game's window\n");
  Processo& ancora = Avvia({buona.string()});
  Processo& tubo = Avvia({fifo.string()});
  ASSERT_TRUE(ancora.Finito(20000) && tubo.Finito(20000));
  EXPECT_EQ(ancora.stato, 1);
  EXPECT_EQ(ancora.Err(), "skarvex: " + buona.string() +
                              ": not opened: another replay is being watched; open it again "
                              "after that one\n");
  EXPECT_EQ(tubo.stato, 1);
  EXPECT_EQ(FinisciGiochi(), 1);
}

}  // namespace
