#include "RetouchBridge.h"

#include "TF_HAIR.h"
#include "TImageView.h"

bool RetouchBridge::ReturnRetouch(const Picture24 &picture)
{
    m_main->ImageView1->SetBitmap(picture);
    return m_main->ApplyRetouch();
}

void RetouchBridge::ShowMessage(const QString &text, const QString &caption)
{
    m_main->ShowMessage(text, caption);
}
