<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AtomicFile</name>
    <message>
        <source>磁盘空间不足</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>没有写入权限</source>
        <translation>No write permission</translation>
    </message>
    <message>
        <source>无法保存</source>
        <translation>Cannot save</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1：%2</source>
        <translation>Cannot create folder %1: %2</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write to %1: %2</translation>
    </message>
    <message>
        <source>写入的文件不完整</source>
        <translation>the written file is incomplete</translation>
    </message>
    <message>
        <source>文件未通过检查</source>
        <translation>The file failed its check</translation>
    </message>
    <message>
        <source>文件已损坏</source>
        <translation>File damaged</translation>
    </message>
    <message>
        <source>无法替换 %1：%2</source>
        <translation>Cannot replace %1: %2</translation>
    </message>
    <message>
        <source>重命名失败</source>
        <translation>rename failed</translation>
    </message>
</context>
<context>
    <name>TriangleMesh</name>
    <message>
        <source>轮廓点数 %1 超过上限 %2</source>
        <translation>%1 profile points exceed the limit of %2</translation>
    </message>
    <message>
        <source>轮廓点总数 %1 超过上限 %2</source>
        <translation>%1 profile points in all exceed the limit of %2</translation>
    </message>
    <message>
        <source>三角形数 %1 超过上限 %2</source>
        <translation>%1 triangles exceed the limit of %2</translation>
    </message>
</context>
<context>
    <name>UrlImageProvider</name>
    <message>
        <source>图片尺寸过大：%1 × %2</source>
        <translation>Image too large: %1 × %2</translation>
    </message>
    <message>
        <source>图片无法解码：%1</source>
        <translation>Cannot decode the image: %1</translation>
    </message>
    <message>
        <source>图片无法编码：%1</source>
        <translation>Cannot encode the image: %1</translation>
    </message>
    <message>
        <source>写入的图片无法读取：%1</source>
        <translation>The saved image cannot be read: %1</translation>
    </message>
    <message>
        <source>缓存的图片已损坏，重新获取（%1）</source>
        <translation>Cached image damaged, fetching it again (%1)</translation>
    </message>
    <message>
        <source>超时：%1 毫秒内未完成</source>
        <translation>Timed out: not done within %1 ms</translation>
    </message>
    <message>
        <source>不是可下载的地址</source>
        <translation>Not a downloadable address</translation>
    </message>
    <message>
        <source>无法发出请求</source>
        <translation>Cannot send the request</translation>
    </message>
    <message>
        <source>图片过大：超过 %1 字节</source>
        <translation>Image too large: over %1 bytes</translation>
    </message>
    <message>
        <source>下载被中断</source>
        <translation>Download interrupted</translation>
    </message>
    <message>
        <source>服务器回答 HTTP %1</source>
        <translation>Server answered HTTP %1</translation>
    </message>
    <message>
        <source>没有收到数据</source>
        <translation>No data received</translation>
    </message>
    <message>
        <source>图片过大</source>
        <translation>Image too large</translation>
    </message>
    <message>
        <source>未知原因</source>
        <translation>unknown reason</translation>
    </message>
</context>
<context>
    <name>WorkflowFailure</name>
    <message>
        <source>第%1个构件</source>
        <translation>Component %1</translation>
    </message>
    <message>
        <source>… 等 %1 个</source>
        <translation>… %1 in all</translation>
    </message>
    <message>
        <source>载入失败</source>
        <translation>Loading failed</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>文档已关闭</source>
        <translation>Document closed</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>tarn::Document</name>
    <message>
        <source>没有构件文件</source>
        <translation>No component file</translation>
    </message>
    <message>
        <source>构件文件没有族名称</source>
        <translation>The component file has no family name</translation>
    </message>
    <message>
        <source>构件文件没有任何类型</source>
        <translation>The component file has no types</translation>
    </message>
    <message>
        <source>构件文件的类型名称为空或重复</source>
        <translation>The component file has an empty or repeated type name</translation>
    </message>
    <message>
        <source>文档在载入期间已被修改，请重试</source>
        <translation>The document changed while loading; please try again</translation>
    </message>
    <message>
        <source>族名称已被占用</source>
        <translation>The family name is already taken</translation>
    </message>
</context>
<context>
    <name>vela::BatchWorkflowBase</name>
    <message>
        <source>无法创建工作流</source>
        <translation>Cannot start the operation</translation>
    </message>
    <message>
        <source>载入失败</source>
        <translation>Loading failed</translation>
    </message>
</context>
<context>
    <name>vela::CatalogBackend</name>
    <message>
        <source>构件库不支持协同项目</source>
        <translation>The component library does not support collaboration projects</translation>
    </message>
</context>
<context>
    <name>vela::ComponentDownloadWorker</name>
    <message>
        <source>构件文件过大，无法载入</source>
        <translation>The component file is too large to load</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>构件文件下载超时：%1 秒内未能下载完成，请稍后重试</source>
        <translation>Component file download timed out: not finished within %1 s. Please try again later</translation>
    </message>
    <message>
        <source>下载超时</source>
        <translation>Download timed out</translation>
    </message>
    <message>
        <source>构件文件下载超时：服务器 %1 秒没有响应，请稍后重试</source>
        <translation>Component file download timed out: no answer from the server for %1 s. Please try again later</translation>
    </message>
    <message>
        <source>构件文件下载失败：%1</source>
        <translation>Component file download failed: %1</translation>
    </message>
    <message>
        <source>下载失败</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>构件文件下载失败：服务器返回 %1</source>
        <translation>Component file download failed: the server returned %1</translation>
    </message>
    <message>
        <source>服务器错误</source>
        <translation>Server error</translation>
    </message>
    <message>
        <source>构件文件为空，无法载入</source>
        <translation>The component file is empty and cannot be loaded</translation>
    </message>
    <message>
        <source>文件已损坏</source>
        <translation>File damaged</translation>
    </message>
    <message>
        <source>构件文件已损坏，无法载入（%1）</source>
        <translation>The component file is damaged and cannot be loaded (%1)</translation>
    </message>
    <message>
        <source>无法保存构件文件：%1</source>
        <translation>Cannot save the component file: %1</translation>
    </message>
</context>
<context>
    <name>vela::ComponentFileFetcher</name>
    <message>
        <source>公共构件Id为空</source>
        <translation>The component has no ID</translation>
    </message>
    <message>
        <source>构件无效</source>
        <translation>Invalid component</translation>
    </message>
    <message>
        <source>获取构件文件地址失败</source>
        <translation>Could not get the component file address</translation>
    </message>
    <message>
        <source>获取地址失败</source>
        <translation>No file address</translation>
    </message>
    <message>
        <source>获取构件文件地址失败：%1</source>
        <translation>Could not get the component file address: %1</translation>
    </message>
    <message>
        <source>该构件没有可下载的构件文件</source>
        <translation>This component has no file to download</translation>
    </message>
    <message>
        <source>没有构件文件</source>
        <translation>No component file</translation>
    </message>
    <message>
        <source>不支持的构件文件地址：%1</source>
        <translation>Unsupported component file address: %1</translation>
    </message>
    <message>
        <source>地址无效</source>
        <translation>Invalid address</translation>
    </message>
    <message>
        <source>构件文件下载失败</source>
        <translation>Component file download failed</translation>
    </message>
</context>
<context>
    <name>vela::ComponentFileLoader</name>
    <message>
        <source>没有构件文件</source>
        <translation>No component file</translation>
    </message>
    <message>
        <source>载入失败</source>
        <translation>Loading failed</translation>
    </message>
</context>
<context>
    <name>vela::ConditionValuesPane</name>
    <message>
        <source>移除条件</source>
        <translation>Remove filter</translation>
    </message>
    <message>
        <source>移除条件 %1</source>
        <translation>Remove filter %1</translation>
    </message>
</context>
<context>
    <name>vela::DownloadPublicComponentWorkflow</name>
    <message>
        <source>构件无效</source>
        <translation>Invalid component</translation>
    </message>
</context>
<context>
    <name>vela::HttpCatalogBackend</name>
    <message>
        <source>构件库已关闭</source>
        <translation>The component library is closed</translation>
    </message>
    <message>
        <source>无法连接构件库服务器</source>
        <translation>Cannot connect to the library server</translation>
    </message>
    <message>
        <source>找不到构件库服务器</source>
        <translation>Library server not found</translation>
    </message>
    <message>
        <source>连接构件库服务器超时</source>
        <translation>The library server did not answer in time</translation>
    </message>
    <message>
        <source>构件库服务器中断了连接</source>
        <translation>The library server closed the connection</translation>
    </message>
    <message>
        <source>连接构件库服务器失败</source>
        <translation>Could not reach the library server</translation>
    </message>
    <message>
        <source>构件库服务器返回的数据无法识别</source>
        <translation>The library server returned data that cannot be read</translation>
    </message>
    <message>
        <source>构件库服务器出错（HTTP %1）</source>
        <translation>Library server error (HTTP %1)</translation>
    </message>
</context>
<context>
    <name>vela::ImageSlider</name>
    <message>
        <source>暂无图片</source>
        <translation>No images</translation>
    </message>
    <message>
        <source>图片加载失败</source>
        <translation>Image failed to load</translation>
    </message>
    <message>
        <source>加载中...</source>
        <translation>Loading...</translation>
    </message>
</context>
<context>
    <name>vela::KelMessageDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>vela::LegendsPane</name>
    <message>
        <source>图例</source>
        <translation>Legends</translation>
    </message>
    <message>
        <source>无图片</source>
        <translation>No image</translation>
    </message>
    <message>
        <source>加载中...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>图片加载失败</source>
        <translation>Image failed to load</translation>
    </message>
    <message>
        <source>收起</source>
        <translation>Collapse</translation>
    </message>
    <message>
        <source>展开</source>
        <translation>Expand</translation>
    </message>
</context>
<context>
    <name>vela::LoadFromPublicIntoDocumentWorkflow4Lumen</name>
    <message>
        <source>正在保存到本地构件库...</source>
        <translation>Saving to the local library...</translation>
    </message>
    <message>
        <source>无法保存到本地构件库：%1</source>
        <translation>Cannot save to the local library: %1</translation>
    </message>
</context>
<context>
    <name>vela::LoadMultiFromPublicIntoDocumentWorkflow</name>
    <message>
        <source>载入失败</source>
        <translation>Loading failed</translation>
    </message>
    <message>
        <source>没有打开的文档</source>
        <translation>No document is open</translation>
    </message>
</context>
<context>
    <name>vela::ModelViewport</name>
    <message>
        <source>拖动旋转，滚轮缩放，双击复位</source>
        <translation>Drag to rotate, scroll to zoom, double-click to reset</translation>
    </message>
</context>
<context>
    <name>vela::Mox3DPreviewWindow</name>
    <message>
        <source>3D预览</source>
        <translation>3D Preview</translation>
    </message>
</context>
<context>
    <name>vela::Mox3DPreviewer</name>
    <message>
        <source>尚未加载构件</source>
        <translation>No component loaded</translation>
    </message>
    <message>
        <source>规格参数</source>
        <translation>Specifications</translation>
    </message>
    <message>
        <source>正在加载模型...</source>
        <translation>Loading model...</translation>
    </message>
    <message>
        <source>无法打开构件文件，文件可能已损坏</source>
        <translation>Cannot open the component file; it may be damaged</translation>
    </message>
    <message>
        <source>构件模型过于复杂，无法预览</source>
        <translation>The component model is too complex to preview</translation>
    </message>
    <message>
        <source>该构件没有可预览的几何模型</source>
        <translation>This component has no geometry to preview</translation>
    </message>
</context>
<context>
    <name>vela::Pager</name>
    <message>
        <source>上一页</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Next</translation>
    </message>
</context>
<context>
    <name>vela::ParametersPane</name>
    <message>
        <source>暂无参数</source>
        <translation>No parameters</translation>
    </message>
</context>
<context>
    <name>vela::PlaceFromPublicIntoDocumentWorkflow</name>
    <message>
        <source>构件已移除</source>
        <translation>Component removed</translation>
    </message>
    <message>
        <source>文档已关闭</source>
        <translation>Document closed</translation>
    </message>
    <message>
        <source>布置失败</source>
        <translation>Placing failed</translation>
    </message>
</context>
<context>
    <name>vela::ProjectStore</name>
    <message>
        <source>协同项目不存在</source>
        <translation>No such collaboration project</translation>
    </message>
    <message>
        <source>内存中的协同项目库</source>
        <translation>the project store in memory</translation>
    </message>
    <message>
        <source>协同项目库文件不见了：%1</source>
        <translation>The project store file is gone: %1</translation>
    </message>
    <message>
        <source>无法连接协同项目库 %1（%2）</source>
        <translation>Cannot connect to the project store %1 (%2)</translation>
    </message>
    <message>
        <source>协同项目库正忙，请稍后重试</source>
        <translation>The project store is busy, please try again shortly</translation>
    </message>
    <message>
        <source>协同项目库出错：%1</source>
        <translation>Project store error: %1</translation>
    </message>
    <message>
        <source>无法识别协同项目库 %1 的表结构（缺少 project_components.%2）</source>
        <translation>The tables of the project store %1 are not recognised (project_components.%2 is missing)</translation>
    </message>
    <message>
        <source>协同项目库 %1 由较新的程序写入（架构版本 %2，本程序只认识到 %3），请升级程序</source>
        <translation>The project store %1 was written by a newer program (schema version %2; this program knows up to %3). Please upgrade</translation>
    </message>
    <message>
        <source>协同项目库 %1 的架构第 %2 版与本程序的迁移文件不一致，拒绝使用</source>
        <translation>Version %2 of the schema of the project store %1 differs from this program&apos;s migration files; refusing to use it</translation>
    </message>
    <message>
        <source>协同项目库架构升级失败（%1）：%2</source>
        <translation>Upgrading the project store schema failed (%1): %2</translation>
    </message>
    <message>
        <source>没有要添加的构件</source>
        <translation>No components to add</translation>
    </message>
</context>
<context>
    <name>vela::PublicComponentWorkflowBase</name>
    <message>
        <source>正在下载构件文件...</source>
        <translation>Downloading the component file...</translation>
    </message>
    <message>
        <source>正在载入构件...</source>
        <translation>Loading the component...</translation>
    </message>
    <message>
        <source>没有目标文档</source>
        <translation>No target document</translation>
    </message>
    <message>
        <source>文档已关闭</source>
        <translation>Document closed</translation>
    </message>
    <message>
        <source>构件无效</source>
        <translation>Invalid component</translation>
    </message>
</context>
<context>
    <name>vela::SearchTextBox</name>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>清空关键词</source>
        <translation>Clear keyword</translation>
    </message>
</context>
<context>
    <name>vela::ServiceRequest</name>
    <message>
        <source>没有网络连接</source>
        <translation>No network connection</translation>
    </message>
    <message>
        <source>没有可用的构件库</source>
        <translation>No component library is available</translation>
    </message>
</context>
<context>
    <name>vela::SqliteCatalogBackend</name>
    <message>
        <source>查询构件库失败：%1</source>
        <translation>Catalog query failed: %1</translation>
    </message>
    <message>
        <source>条件缺少属性编码</source>
        <translation>A filter has no property code</translation>
    </message>
    <message>
        <source>枚举条件不支持运算符 %1</source>
        <translation>A list filter cannot use operator %1</translation>
    </message>
    <message>
        <source>不支持的条件值类型 %1</source>
        <translation>Unsupported filter value type %1</translation>
    </message>
    <message>
        <source>条件值“%1”不是数值</source>
        <translation>Filter value “%1” is not a number</translation>
    </message>
    <message>
        <source>不支持的条件运算符 %1</source>
        <translation>Unsupported filter operator %1</translation>
    </message>
    <message>
        <source>构件库不存在：%1</source>
        <translation>No component library at %1</translation>
    </message>
    <message>
        <source>无法打开构件库：%1（%2）</source>
        <translation>Cannot open the component library %1 (%2)</translation>
    </message>
    <message>
        <source>构件库格式不正确：%1</source>
        <translation>Not a valid component library: %1</translation>
    </message>
    <message>
        <source>分类不存在</source>
        <translation>No such category</translation>
    </message>
    <message>
        <source>构件不存在</source>
        <translation>No such component</translation>
    </message>
    <message>
        <source>规格不存在</source>
        <translation>No such specification</translation>
    </message>
    <message>
        <source>构件没有构件文件</source>
        <translation>The component has no component file</translation>
    </message>
    <message>
        <source>没有要添加的构件</source>
        <translation>No components to add</translation>
    </message>
    <message>
        <source>构件库已关闭</source>
        <translation>The component library is closed</translation>
    </message>
    <message>
        <source>协同项目库出错：%1</source>
        <translation>Project store error: %1</translation>
    </message>
</context>
<context>
    <name>vela::WorkflowBase</name>
    <message>
        <source>载入失败</source>
        <translation>Loading failed</translation>
    </message>
</context>
</TS>
