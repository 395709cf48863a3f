#pragma once

#include "Records.h"

#include <QImage>
#include <QWidget>

#include <filesystem>

class QAction;
class QLabel;
class QMenu;
class QTextEdit;

namespace osmerin {

class TScrlBtn;

// A still picture of the news box with the selected item in it: background,
// frame, the item's text or image and the two scroll buttons.
class TfrmWysiwyg : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmWysiwyg(QWidget* parent = nullptr);

    // Brings the picture up to date. `item` is null for the root; `itemText`
    // is the editor's text of the item, line by line.
    void refresh(const kzt::TAppletData& applet, const kzt::TItemData* item, const QString& itemText,
                 const std::filesystem::path& previewFolder);
    void PaintFrame(int width, const std::string& style, QRgb colour);
    void PlaceScrollButton(const QRect& rect, QRgb face, int id, int arrowDir, QRgb arrow);
    // The client area takes the applet's size (after New and Open).
    void setAppletSize(int width, int height);

    void Stayontop1Click();
    bool stayOnTop() const;

    QTextEdit* memoText = nullptr;
    QLabel* imgImage = nullptr;
    TScrlBtn* ScrlBtn1 = nullptr;
    TScrlBtn* ScrlBtn2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Stayontop1 = nullptr;

    // Pictures decoded so far; a picture is decoded only when its path changes.
    int pictureLoads() const { return m_pictureLoads; }
    // The window's own painting (background and frame) without its children.
    const QImage& canvas() const { return m_canvas; }

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fitCanvas(QRgb background);
    void showImage(const kzt::TItemData& item, const std::filesystem::path& folder, int border);
    void showText(const kzt::TItemData& item, const QString& itemText, const std::filesystem::path& folder,
                  int border, QRgb background);

    QImage m_canvas;
    QRgb m_background = 0xff000000;
    int m_keptWidth = 0;
    int m_keptHeight = 0;
    int m_keptBorder = 0;
    QString m_lastImagePath;
    int m_pictureLoads = 0;
};

} // namespace osmerin
