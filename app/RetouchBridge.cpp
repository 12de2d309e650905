#include "RetouchBridge.h"

#include "TF_HAIR.h"
#include "TImageView.h"

#include <utility>

bool RetouchBridge::ReturnRetouch(Picture24 &picture)
{
    // The editor's picture is not needed once it is back: its pixels move
    // through the scratch image instead of being copied twice.
    m_main->ImageView1->SetBitmap(std::exchange(picture, Picture24()));
    if (m_main->ApplyRetouch())
        return true;
    picture = std::exchange(m_main->ImageView1->Bitmap(), Picture24());
    m_main->ImageView1->Refresh();
    return false;
}

void RetouchBridge::ShowMessage(const QString &text, const QString &caption)
{
    m_main->ShowMessage(text, caption);
}
