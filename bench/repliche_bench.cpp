// Replays: how fast a long game is checked (at least 10,000 times real time: an hour
// of play in under 0.4 s), what recording costs per input and whether it allocates
// once warm, and how large a 10-minute game's file is (at most 64 KiB).
#include <QGuiApplication>

#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>

#include "Bot.h"
#include "Comune.h"
#include "replay/Registratore.h"
#include "replay/Verifica.h"
#include "support/Banco.h"

namespace {

std::atomic<int64_t> allocazioni{0};

// The bot's game, recorded: one game from its start until it ends or `durata` ms have
// passed (then it is closed there).
PartitaRegistrata GiocoDelBot(int64_t durata, float prudenza = 1500) {
  Banco b;
  b.g.registroSuoni = nullptr;
  b.Avvia();
  Registratore registratore(b.g, b.smista, [&] { return b.orologio.Ora(); });
  Bot bot(b.g, b.smista);
  bot.prudenza = prudenza;
  for (int i = 0; i < 10; ++i) b.dialoghi.AccodaTesto(QStringLiteral("Bot"));
  b.smista.Invia(Evento::Carattere(Tasti::Spazio));
  while (!b.g.img_gameover.Visible && b.orologio.Ora() < durata) {
    bot.Gioca();
    b.Attendi(50);
  }
  if (auto finita = registratore.PrendiFinita()) return *finita;
  return *registratore.Chiudi();
}

// The longest of the bot's games at a few degrees of wariness, up to an hour.
const PartitaRegistrata& PartitaLunga() {
  static const PartitaRegistrata p = [] {
    PartitaRegistrata lunga;
    for (const float prudenza : {500.f, 1000.f, 1500.f, 2000.f, 3000.f, 4000.f}) {
      PartitaRegistrata giocata = GiocoDelBot(3600 * 1000, prudenza);
      if (getenv("SKARVEX_BANCO_DETTAGLI"))
        fprintf(stderr, "prudenza %g: %u ms\n", prudenza, giocata.replica.intestazione.durata);
      if (giocata.replica.intestazione.durata > lunga.replica.intestazione.durata)
        lunga = std::move(giocata);
    }
    return lunga;
  }();
  return p;
}

// Verifying the bot's longest game (up to an hour) from its file's bytes.
void VerificaPartitaLunga(benchmark::State& state) {
  const std::string byte = CodificaReplica(PartitaLunga().replica).valore();
  int64_t durata = 0;
  for (auto _ : state) {
    const EsitoVerifica esito = VerificaReplica(DecodificaReplica(byte).valore());
    if (!esito.Conforme()) state.SkipWithError("the bot's game does not verify");
    durata += esito.durata;
  }
  state.counters["virtual_per_real"] =
      benchmark::Counter(static_cast<double>(durata) / 1000.0, benchmark::Counter::kIsRate);
  state.counters["game_s"] = static_cast<double>(PartitaLunga().replica.intestazione.durata) / 1000;
  state.counters["inputs"] = static_cast<double>(PartitaLunga().replica.eventi.size());
  state.SetLabel("target virtual_per_real >= 10000");
}
BENCHMARK(VerificaPartitaLunga)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// One timer firing through the dispatcher, with and without a game being recorded; and
// the allocations per input once the recorder is warm.
void InputRegistrato(benchmark::State& state) {
  Banco b;
  b.g.registroSuoni = nullptr;
  b.Avvia();
  std::optional<Registratore> registratore;
  if (state.range(0)) registratore.emplace(b.g, b.smista, [&] { return b.orologio.Ora(); });
  b.smista.Invia(Evento::Carattere(Tasti::Spazio));
  const Evento scatto = Evento::Scatto(5);  // the bonus label's timer: a handler of nothing
  for (int i = 0; i < 100'000; ++i) b.smista.Invia(scatto);
  const int64_t prima = allocazioni.load();
  int64_t inviati = 0;
  for (auto _ : state) {
    b.smista.Invia(scatto);
    ++inviati;
  }
  state.counters["allocations_per_input"] =
      static_cast<double>(allocazioni.load() - prima) / static_cast<double>(inviati);
  state.SetLabel(state.range(0) ? "recording" : "not recording");
}
BENCHMARK(InputRegistrato)->Arg(0)->Arg(1)->Iterations(1'000'000);

// The bot's longest game as a file, and its size for ten minutes at that rate (the
// bot presses or releases keys every 50 ms: far more inputs than a player's).
void DieciMinuti(benchmark::State& state) {
  const PartitaRegistrata& p = PartitaLunga();
  size_t byte = 0;
  for (auto _ : state) byte = CodificaReplica(p.replica).valore().size();
  const double minuti = p.replica.intestazione.durata / 60000.0;
  state.counters["file_bytes"] = static_cast<double>(byte);
  state.counters["game_min"] = minuti;
  state.counters["bytes_per_10_min"] = static_cast<double>(byte) * 10 / minuti;
  state.SetLabel("target bytes_per_10_min <= 65536");
}
BENCHMARK(DieciMinuti)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

void* operator new(size_t n) {
  allocazioni.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  std::free(p);
}

int main(int argc, char** argv) {
  return EseguiBenchmark<QGuiApplication>(argc, argv);
}
