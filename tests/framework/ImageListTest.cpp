// CImageList: creation from sizes and from a bitmap of the module's
// resources with a mask colour, adding bitmaps, drawing, ownership.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <utility>

#include "framework/CImageList.h"
#include "framework/Gdi.h"
#include "res/resource.h"

namespace {

TEST(ImageListTest, ResourceStripIsCutIntoImagesWithTheMaskColourTransparent)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_IMAGES, 16, 1, RGB(255, 0, 255)));
    EXPECT_EQ(3, images.GetImageCount());

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CClientDC screen(nullptr);
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&screen, 16, 16));
    CSelectObject selected(dc, canvas);
    dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    ASSERT_TRUE(images.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(2, 8)) << "the magenta half is transparent";
    EXPECT_EQ(RGB(0, 255, 0), dc.GetPixel(12, 8)) << "image 1 is the green one";
}

TEST(ImageListTest, MissingBitmapResourceFails)
{
    CImageList images;
    EXPECT_FALSE(images.Create(9999, 16, 1, RGB(255, 0, 255)));
    EXPECT_EQ(nullptr, images.m_hImageList);
}

TEST(ImageListTest, AddingBitmapsAndIcons)
{
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24 | ILC_MASK, 0, 4));
    CClientDC screen(nullptr);
    CBitmap two;
    ASSERT_TRUE(two.CreateCompatibleBitmap(&screen, 16, 8));
    EXPECT_EQ(0, images.Add(&two, RGB(255, 0, 255)));
    EXPECT_EQ(2, images.GetImageCount()) << "a 16-pixel strip makes two 8-pixel images";
    HICON icon = images.ExtractIcon(0);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(2, images.Add(icon));
    ::DestroyIcon(icon);
    EXPECT_EQ(3, images.GetImageCount());
    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(2, images.GetImageCount());
}

TEST(ImageListTest, OwnerDestroysDetachKeepsMoveHandsOver)
{
    HIMAGELIST destroyed = nullptr;
    {
        CImageList images;
        ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24, 1, 1));
        destroyed = images.m_hImageList;
    }
    EXPECT_EQ(0, ImageList_GetImageCount(destroyed)) << "the image list outlived its owner";
    EXPECT_FALSE(ImageList_Destroy(destroyed)) << "it was already destroyed";

    HIMAGELIST kept = nullptr;
    {
        CImageList images;
        ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24, 1, 1));
        ImageList_SetImageCount(images.m_hImageList, 2);
        kept = images.Detach();
    }
    EXPECT_EQ(2, ImageList_GetImageCount(kept));

    CImageList target;
    {
        CImageList source;
        ASSERT_TRUE(source.Attach(kept));
        target = std::move(source);
    }
    EXPECT_EQ(2, ImageList_GetImageCount(kept)) << "the moved-from list destroyed what it gave away";
    EXPECT_EQ(kept, target.m_hImageList);
    CImageList* view = CImageList::FromHandle(kept);
    EXPECT_EQ(2, view->GetImageCount());
}

} // namespace
