#include "ui/RegistroSintetizzatore.h"

#include <QLoggingCategory>
#include <QString>

#include <fluidsynth.h>

#include <mutex>

Q_DECLARE_LOGGING_CATEGORY(lcSuono)

std::vector<std::string> LimiteRighe::Accetta(std::string_view messaggio, Istante ora) {
  std::vector<std::string> righe;
  if (!m_aperto || ora - m_inizio >= m_intervallo) {
    if (m_trattenute > 0) {
      righe.push_back(std::to_string(m_trattenute) +
                      " more messages held back, the last: " + m_ultima);
    }
    // A burst that goes on writes only its summaries.
    const bool quieto = !m_aperto || m_trattenute == 0 || ora - m_ultimoArrivo >= m_intervallo;
    m_concesse = quieto ? m_prime : 0;
    m_aperto = true;
    m_inizio = ora;
    m_trattenute = 0;
  }
  m_ultimoArrivo = ora;
  if (m_concesse > 0) {
    --m_concesse;
    righe.emplace_back(messaggio);
  } else {
    ++m_trattenute;
    m_ultima = messaggio;
  }
  return righe;
}

namespace {

constexpr int PrimeRighe = 5;
constexpr auto Intervallo = std::chrono::seconds(10);

std::mutex mutexRegistro;  // the synthesizer writes from the mixer's thread too

void Registra(int livello, const char* messaggio, void*) {
  static const char* const livelli[] = {"panic", "error", "warning", "info"};
  if (livello < FLUID_PANIC || livello > FLUID_INFO || messaggio == nullptr) return;
  static LimiteRighe limite(PrimeRighe, Intervallo);
  std::vector<std::string> righe;
  {
    const std::lock_guard blocco(mutexRegistro);
    righe = limite.Accetta(std::string(livelli[livello]) + ": " + messaggio,
                           std::chrono::steady_clock::now().time_since_epoch());
  }
  for (const std::string& riga : righe)
    qCWarning(lcSuono).noquote() << "fluidsynth:" << QString::fromStdString(riga).simplified();
}

}  // namespace

void InstallaRegistroSintetizzatore() {
  static std::once_flag fatto;
  std::call_once(fatto, [] {
    for (int livello = FLUID_PANIC; livello <= FLUID_INFO; ++livello)
      fluid_set_log_function(livello, Registra, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}
