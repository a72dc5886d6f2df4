// skarvex-decodifica: decodes a combination's pictures for the game and skarvex-comb,
// shut in a process of its own (see codec/ProtocolloDecodifica.h). It is started by
// them, on a socket, and is of no use by hand.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <unistd.h>

#include <QBuffer>
#include <QImageReader>

#include "codec/Vaglio.h"
#include "decoder/Lotto.h"
#include "decoder/Recinto.h"

using namespace ProtocolloDecodifica;

namespace {

// The decoders that are plugins are loaded now, while files can still be opened: once
// shut in, nothing more can be. The decoders' allocation limit, which Qt keeps for the
// whole process, is what the largest picture the gate passes takes at the most bytes a
// pixel a decoder holds (16-bit channels): the workers decode pictures of different
// sizes at once.
void CaricaDecoder() {
  QImageReader::setAllocationLimit(static_cast<int>(Vaglio::MaxPixelImmagine * 8 / MiB + 1));
  for (const char* decoder : {"jpeg", "gif", "png", "bmp"}) {
    QBuffer vuoto;
    vuoto.open(QIODevice::ReadOnly);
    QImageReader lettore(&vuoto, decoder);
    lettore.setAutoDetectImageFormat(false);
    (void)lettore.canRead();
  }
}

[[noreturn]] void Termina() {
  try {
    if (std::current_exception()) std::rethrow_exception(std::current_exception());
  } catch (const std::bad_alloc&) {
    _exit(CodiceMemoria);
  } catch (...) {
  }
  std::abort();
}

Guasto LeggiGuasto() {
  const char* valore = std::getenv(VariabileGuasto);
  if (!valore) return {};
  const std::string_view testo(valore);
  const size_t duePunti = testo.find(':');
  const std::string_view tipo = testo.substr(0, duePunti);
  Guasto guasto;
  if (duePunti != std::string_view::npos)
    guasto.slot = static_cast<uint32_t>(std::atoi(valore + duePunti + 1));
  if (tipo == "crollo") guasto.tipo = Guasto::Tipo::Crollo;
  if (tipo == "stallo") guasto.tipo = Guasto::Tipo::Stallo;
  if (tipo == "memoria") guasto.tipo = Guasto::Tipo::Memoria;
  return guasto;
}

}  // namespace

int main() {
  Recinto::Prepara();
  // Memory that runs out in any thread ends the child with a code the game reads,
  // whether operator new finds none or a library throws for want of it.
  std::set_new_handler([] { _exit(CodiceMemoria); });
  std::set_terminate(Termina);
  CaricaDecoder();
  qInstallMessageHandler(NotaMessaggio);
  const Guasto guasto = LeggiGuasto();
  if (const char* valore = std::getenv(VariabileGuasto);
      valore && std::string_view(valore) == "recinto") {
    const std::string esito = Recinto::Prova() + "\n";
    Scrivi(esito.data(), esito.size());
    _exit(0);
  }
  if (!Recinto::Chiudi()) return CodiceRecinto;

  Richiesta richiesta;
  Leggi(&richiesta, sizeof richiesta);
  if (richiesta.firma != Firma || richiesta.lavoratori == 0) return 1;
  Lotto lotto(richiesta, guasto);
  std::vector<std::thread> lavoratori;
  const uint32_t quanti = std::min(std::min(richiesta.lavoratori, Lavoratori), richiesta.voci);
  for (uint32_t i = 0; i < quanti; ++i) lavoratori.emplace_back([&] { lotto.Lavora(); });
  for (std::thread& t : lavoratori) t.join();
  lotto.Finisci();
  // Nothing to tidy: whatever the decoders left, the process's end takes.
  _exit(0);
}
