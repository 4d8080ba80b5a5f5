#pragma once

#include <QPixmap>

// The error dialog's picture: a white speech balloon with a blue "i" and a
// grey shadow, 37×38 at 16 colours. Its light-grey ground is masked out.
QPixmap ErroOriPicture();
