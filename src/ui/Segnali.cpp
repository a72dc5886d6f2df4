#include "ui/Segnali.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <SDL_hints.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

constexpr int Catturati[] = {SIGINT, SIGTERM, SIGHUP};

// The end of the socket pair that the handler writes.
volatile std::sig_atomic_t g_scrittura = -1;

extern "C" void Gestore(int segnale) {
  const int errore = errno;
  const char byte = static_cast<char>(segnale);
  // Non-blocking: with the pair full, the signals already written are enough.
  if (g_scrittura >= 0) (void)!::write(g_scrittura, &byte, 1);
  errno = errore;
}

void Imposta(void (*gestore)(int)) {
  struct sigaction azione = {};
  azione.sa_handler = gestore;
  sigemptyset(&azione.sa_mask);
  azione.sa_flags = SA_RESTART;
  for (int segnale : Catturati) ::sigaction(segnale, &azione, nullptr);
}

}  // namespace

Segnali::Segnali(std::function<void()> arrivato, QObject* genitore)
    : QObject(genitore), m_arrivato(std::move(arrivato)) {
  // SDL, whenever the sound or the gamepads start it, would otherwise take these
  // signals over and turn them into quit events that nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_coppia) != 0) {
    qWarning(
        "skarvex: no socket pair for the signals (%s): Ctrl+C and kill end the program "
        "without its exit sequence",
        std::strerror(errno));
    return;
  }
  m_notifica = new QSocketNotifier(m_coppia[1], QSocketNotifier::Read, this);
  connect(m_notifica, &QSocketNotifier::activated, this, &Segnali::Leggi);
  g_scrittura = m_coppia[0];
  Imposta(Gestore);
}

Segnali::~Segnali() {
  if (m_coppia[0] < 0) return;
  Imposta(SIG_DFL);
  g_scrittura = -1;
  delete m_notifica;
  ::close(m_coppia[0]);
  ::close(m_coppia[1]);
}

void Segnali::Leggi() {
  char byte[16];
  bool arrivato = false;
  while (::read(m_coppia[1], byte, sizeof byte) > 0) arrivato = true;
  if (arrivato && m_arrivato) m_arrivato();
}
