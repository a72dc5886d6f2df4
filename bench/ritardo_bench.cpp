// How late the game's timers fire in the real event loop while it is played: the game
// on the real sides of its seams and in its real window (offscreen, or on the display
// that QT_QPA_PLATFORM names, e.g. xcb under Xvfb), played for 30 s with an arrow
// held and the space bar pressed four times a second, beside a bare precise QTimer
// at 25 ms in the same loop. Every firing counts how late it came against its
// schedule; the counters are the median, the 99th percentile and the maximum of the
// game's timers and of the bare one, in milliseconds, and the score the game reached.
// SKARVEX_SECONDI_DI_GIOCO sets another length of play.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "Comune.h"

#include "ui/Joypad.h"
#include "ui/LatiQt.h"

namespace {

using Orologio = std::chrono::steady_clock;

struct Ritardi {
  std::vector<double> ms;

  void Aggiungi(std::chrono::nanoseconds ritardo) {
    ms.push_back(std::chrono::duration<double, std::milli>(ritardo).count());
  }
  // The value below which a share `q` of the firings came (nearest rank).
  double Percentile(double q) {
    if (ms.empty()) return 0;
    std::sort(ms.begin(), ms.end());
    const auto rango = static_cast<size_t>(std::ceil(q * static_cast<double>(ms.size())));
    return ms[std::clamp<size_t>(rango, 1, ms.size()) - 1];
  }
  void Riporta(benchmark::State& state, const char* chi) {
    const std::string nome(chi);
    state.counters[nome + "_mediana_ms"] = Percentile(0.5);
    state.counters[nome + "_p99_ms"] = Percentile(0.99);
    state.counters[nome + "_max_ms"] = Percentile(1);
    state.counters[nome + "_scatti"] = static_cast<double>(ms.size());
  }
};

// The player: one arrow held for a second, then the other, with the keyboard's repeat
// after half a second of holding, and the space bar pressed every quarter of a second
// (which also starts a game after a game over). A name box that opens for a high
// score is closed at once.
class Giocatore {
 public:
  explicit Giocatore(QWidget& finestra) : m_finestra(finestra) {
    m_passo.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_passo, &QTimer::timeout, [this] { Passo(); });
    m_tempo.start();
    m_passo.start(40);
  }

 private:
  void Tasto(QEvent::Type tipo, int tasto, bool ripetuto) {
    const QString testo = tasto == Qt::Key_Space ? QStringLiteral(" ") : QString();
    QCoreApplication::postEvent(&m_finestra,
                                new QKeyEvent(tipo, tasto, Qt::NoModifier, testo, ripetuto));
  }

  void Passo() {
    if (QWidget* dialogo = QApplication::activeModalWidget()) dialogo->close();
    const qint64 ms = m_tempo.elapsed();
    const int tasto = (ms / 1000) % 2 ? Qt::Key_Right : Qt::Key_Left;
    if (tasto != m_tenuto) {
      Tasto(QEvent::KeyRelease, m_tenuto, false);
      Tasto(QEvent::KeyPress, tasto, false);
      m_tenuto = tasto;
      m_da = ms;
    } else if (ms - m_da >= 500) {
      Tasto(QEvent::KeyRelease, tasto, true);
      Tasto(QEvent::KeyPress, tasto, true);
    }
    if (ms / 250 != m_ultimoSparo) {
      m_ultimoSparo = ms / 250;
      Tasto(QEvent::KeyPress, Qt::Key_Space, false);
      Tasto(QEvent::KeyRelease, Qt::Key_Space, false);
    }
  }

  QWidget& m_finestra;
  QTimer m_passo;
  QElapsedTimer m_tempo;
  int m_tenuto = Qt::Key_Right;
  qint64 m_da = 0;
  qint64 m_ultimoSparo = -1;
};

void RitardoTimer(benchmark::State& state) {
  const int secondi = qEnvironmentVariableIsSet("SKARVEX_SECONDI_DI_GIOCO")
                          ? qEnvironmentVariableIntValue("SKARVEX_SECONDI_DI_GIOCO")
                          : 30;
  Ritardi gioco, nudo;
  double punti = 0;
  for (auto _ : state) {
    QTemporaryDir cartella;
    const std::filesystem::path percorso = cartella.path().toStdString();
    Partita<LatiQt> partita(percorso);
    FinestraPrincipale principale(partita.g, partita.frm, partita.smista);
    CollegaFinestra(partita, principale);
    partita.orologio.MisuraRitardi([&gioco](std::chrono::nanoseconds r) { gioco.Aggiungi(r); });
    Joypad joypad(principale, partita.g);  // looking for gamepads, as the program does
    MostraPartita(partita, principale, {}, [&joypad] { joypad.Apri(); });

    QTimer timerNudo;
    timerNudo.setTimerType(Qt::PreciseTimer);
    Scadenza scadenza;
    QObject::connect(&timerNudo, &QTimer::timeout,
                     [&] { nudo.Aggiungi(scadenza.Scatta(Orologio::now())); });
    timerNudo.start(25);
    scadenza.Avvia(Orologio::now(), std::chrono::milliseconds(25));

    Giocatore giocatore(principale);
    QTimer::singleShot(secondi * 1000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    // The score says the game was played, not left on its first game-over screen.
    punti += static_cast<double>(partita.g.Punteggio);
  }
  gioco.Riporta(state, "gioco");
  nudo.Riporta(state, "nudo");
  state.counters["punti"] = punti;
  state.SetLabel("game timers against a bare QTimer (goal: game median <= 1 ms, p99 <= 4 ms)");
}
BENCHMARK(RitardoTimer)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QApplication>(argc, argv);
}
