#include "drawing/Miniatura.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "codec/Vaglio.h"
#include "combinations/Decodifica.h"
#include "drawing/ImmaginiIncorporate.h"
#include "game/GestioneOggetti.h"
#include "model/ModelloMain.h"

namespace {

// One alien of each row of a wave's formation, in the middle of the rows.
constexpr float LeftAlieni = GestioneOggetti::PrimaColonna + GestioneOggetti::PassoColonne * 4.5f;
// The second of the four walls, the one left of the cannon.
constexpr int MuroMostrato = 1;
constexpr int MattoniPerMuro = 12;
constexpr int SlotSfondo = static_cast<int>(SlotImmagine::Sfondo);

class Miniatura {
 public:
  Miniatura(const TipoCombinazione& comb, int larghezza)
      : m_comb(comb),
        m_esame(Vaglio::EsaminaCombinazione(comb)),
        m_scala(larghezza / (LarghezzaCampo / TwipsPerPixel)),
        m_immagine(
            larghezza,
            std::max(1, static_cast<int>(std::lround(AltezzaCampo / TwipsPerPixel * m_scala))),
            QImage::Format_RGB32) {
    m_immagine.fill(Qt::black);
  }

  QImage Disegna() {
    QPainter p(&m_immagine);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    DisegnaSfondo(p);
    const ModelloMain campo;
    for (int m = 0; m < MattoniPerMuro; ++m)
      DisegnaSprite(p, campo.img_muro[MuroMostrato * MattoniPerMuro + m],
                    ImmaginiDefault::Mattoncino);
    const auto righe = campo.RigheDalBasso();
    for (size_t r = 0; r < righe.size(); ++r) {
      Sprite alieno = (*righe[r])[0];
      alieno.Left = LeftAlieni;
      alieno.Top = GestioneOggetti::TopRighe[r];
      DisegnaSprite(p, alieno, static_cast<int>(r));
    }
    DisegnaSprite(p, campo.img_giocatore, ImmaginiDefault::Giocatore);
    p.end();
    return std::move(m_immagine);
  }

 private:
  // Slot n's picture as the game would hold it; a null image for the built-in one. The
  // slots the preview shows are decoded together, the first time one is asked for.
  const QImage& Decodificata(int n) {
    if (!m_decodificate) Decodifica();
    return (*m_decodificate)[static_cast<size_t>(n)];
  }

  void Decodifica() {
    using namespace ImmaginiDefault;
    std::vector<DecodificaEsterna::Voce> voci;
    for (const int n : {PrimaFila, SecondaFila, TerzaFila, QuartaFila, QuintaFila, Giocatore,
                        Mattoncino, SlotSfondo}) {
      const auto s = static_cast<size_t>(n);
      if (m_comb.Immagini[s] != ImmagineDefault && !m_esame.immagini[s].rifiuto)
        voci.push_back({n, m_comb.Immagini[s], m_esame.immagini[s]});
    }
    std::vector<ImmagineDecodificata> decodificate = DecodificaImmagini(voci);
    m_decodificate.emplace();
    for (size_t i = 0; i < voci.size(); ++i)
      if (Immagine* immagine = std::get_if<Immagine>(&decodificate[i]))
        (*m_decodificate)[static_cast<size_t>(voci[i].slot)] = std::move(immagine->Dati);
  }

  // The background has no built-in picture: without one of its own the field stays black.
  void DisegnaSfondo(QPainter& p) {
    const QImage& sfondo = Decodificata(SlotSfondo);
    if (sfondo.isNull()) return;
    // Only the part over the field is scaled.
    const QRect visibile =
        sfondo.rect().intersected(QRect(0, 0, static_cast<int>(LarghezzaCampo / TwipsPerPixel),
                                        static_cast<int>(AltezzaCampo / TwipsPerPixel)));
    const QSize pixel(std::max(1, static_cast<int>(std::lround(visibile.width() * m_scala))),
                      std::max(1, static_cast<int>(std::lround(visibile.height() * m_scala))));
    p.drawImage(QPointF(0, 0), sfondo.copy(visibile).scaled(pixel, Qt::IgnoreAspectRatio,
                                                            Qt::SmoothTransformation));
  }

  void DisegnaSprite(QPainter& p, const Sprite& s, int slot) {
    const qreal twips = m_scala / TwipsPerPixel;
    const QRectF rettangolo(s.Left * twips, s.Top * twips, s.Width * twips, s.Height * twips);
    const QSize pixel(std::max(1, static_cast<int>(std::lround(rettangolo.width()))),
                      std::max(1, static_cast<int>(std::lround(rettangolo.height()))));
    const QImage& propria = Decodificata(slot);
    const QImage resa =
        propria.isNull() ? m_incorporate.Rendi(slot, pixel)
                         : propria.scaled(pixel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.drawImage(QRectF(rettangolo.topLeft(), QSizeF(pixel)), resa);
  }

  const TipoCombinazione& m_comb;
  const Vaglio::EsameCombinazione m_esame;
  const qreal m_scala;  // device pixels per logical pixel of the field
  QImage m_immagine;
  ImmaginiIncorporate m_incorporate;
  std::optional<std::array<QImage, NumeroImmagini>> m_decodificate;
};

}  // namespace

QImage DisegnaMiniatura(const TipoCombinazione& comb, int larghezza) {
  return Miniatura(comb, std::clamp(larghezza, MinLarghezzaMiniatura, MaxLarghezzaMiniatura))
      .Disegna();
}
