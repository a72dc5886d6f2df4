// Watching a replay in the window: from the click that opens the file of the bot's game
// (up to 10 minutes) to its first frame painted (target: at most the game's own start to its first
// frame, gioco_bench's AvvioPrimoFotogramma).
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "Bot.h"
#include "Comune.h"
#include "replay/Registratore.h"
#include "support/Banco.h"
#include "ui/FinestraPrincipale.h"
#include "ui/Repliche.h"

namespace {

namespace fs = std::filesystem;

// Ten minutes of the bot's play, recorded and written as a player's file.
bool ScriviPartitaDelBot(const fs::path& file) {
  Banco b;
  b.g.registroSuoni = nullptr;
  b.Avvia();
  Registratore registratore(b.g, b.smista, [&] { return b.orologio.Ora(); });
  Bot bot(b.g, b.smista);
  bot.prudenza = 1500;
  for (int i = 0; i < 10; ++i) b.dialoghi.AccodaTesto(QStringLiteral("Bot"));
  b.smista.Invia(Evento::Carattere(Tasti::Spazio));
  while (!b.g.img_gameover.Visible && b.orologio.Ora() < 10 * 60 * 1000) {
    bot.Gioca();
    b.Attendi(50);
  }
  auto finita = registratore.PrendiFinita();
  if (!finita) finita = registratore.Chiudi();
  return finita && ScriviFileReplica(file, finita->replica);
}

void AperturaReplica(benchmark::State& state) {
  QTemporaryDir altrove;
  const fs::path file = fs::path(altrove.path().toStdString()) / "partita.skrep";
  if (!ScriviPartitaDelBot(file)) {
    state.SkipWithError("the bot's game could not be written");
    return;
  }
  Banco b;
  b.Avvia();
  FinestraPrincipale finestra(b.g, b.frm, b.smista);
  Repliche repliche(finestra, b.g, b.smista);
  finestra.Aggiorna();
  finestra.resize(finestra.sizeHint());
  finestra.show();
  QApplication::processEvents();
  for (auto _ : state) {
    if (!repliche.Guarda(file)) {
      state.SkipWithError("the replay was not opened");
      return;
    }
    finestra.centralWidget()->repaint();
    state.PauseTiming();
    repliche.visione().Esci();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  const auto intestazione = LeggiIntestazioneReplica(file);
  state.counters["game_s"] = intestazione ? intestazione.valore().durata / 1000.0 : 0;
  state.counters["file_KiB"] = static_cast<double>(fs::file_size(file)) / 1024;
  state.SetLabel(
      "the bot's game, up to 10 minutes, to its first frame (target <= AvvioPrimoFotogramma)");
}
BENCHMARK(AperturaReplica)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QApplication>(argc, argv);
}
