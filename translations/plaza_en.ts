<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>OpenPlazaPublicFamilyLoadOptions</name>
    <message>
        <source>重命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>项目中已存在“%1”，且画布中有此构件实例，选择需要进行的操作?<byte value="xd"/>
<byte value="xd"/>
重命名：名称更改为“%2”<byte value="xd"/>
覆盖：覆盖项目中重名构件</source>
        <translation>“%1” is already in the project and placed in the drawing. What do you want to do?<byte value="xd"/>
<byte value="xd"/>
Rename: name it “%2”<byte value="xd"/>
Overwrite: replace the component of the same name</translation>
    </message>
    <message>
        <source>项目中已存在“%1”，选择需要进行的操作?<byte value="xd"/>
<byte value="xd"/>
重命名：名称更改为“%2”<byte value="xd"/>
覆盖：覆盖项目中重名构件</source>
        <translation>“%1” is already in the project. What do you want to do?<byte value="xd"/>
<byte value="xd"/>
Rename: name it “%2”<byte value="xd"/>
Overwrite: replace the component of the same name</translation>
    </message>
</context>
<context>
    <name>vela::FamilyOverwriteOptionsDialog</name>
    <message>
        <source>覆盖提示</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>将覆盖用的构件中</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>替换该类型及实例</source>
        <translation>Replace Type and Instances</translation>
    </message>
    <message>
        <source>覆盖用的构件中无法找到当前工作单元使用的类型%1(有%2个实例)，覆盖后该类型及实例都将删除，您也可以:</source>
        <translation>The incoming component lacks type %1 (instances here: %2); overwriting deletes the type and its instances. You can also:</translation>
    </message>
</context>
<context>
    <name>vela::PlazaMainWindow</name>
    <message>
        <source>Plaza</source>
        <translation>Plaza</translation>
    </message>
</context>
<context>
    <name>vela::PlazaPageEmptyState</name>
    <message>
        <source>清空条件</source>
        <translation>Clear filters</translation>
    </message>
    <message>
        <source>重试</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>没有找到相关构件</source>
        <translation>No matching components</translation>
    </message>
    <message>
        <source>构件列表加载失败</source>
        <translation>Could not load the component list</translation>
    </message>
</context>
<context>
    <name>vela::PlazaPublicComponentDetailPanel</name>
    <message>
        <source>查看3D视图</source>
        <translation>View in 3D</translation>
    </message>
    <message>
        <source>分类: </source>
        <translation>Category: </translation>
    </message>
    <message>
        <source>缩略图</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>实例:0</source>
        <translation>Instances: 0</translation>
    </message>
    <message>
        <source>规格参数</source>
        <translation>Specifications</translation>
    </message>
    <message>
        <source>关闭详情</source>
        <translation>Close details</translation>
    </message>
    <message>
        <source>正在准备，请稍候...</source>
        <translation>Preparing, please wait...</translation>
    </message>
    <message>
        <source>获取构件失败</source>
        <translation>Could not get the component</translation>
    </message>
</context>
<context>
    <name>vela::PlazaPublicComponentItemDelegate</name>
    <message>
        <source>载入构件至本地</source>
        <translation>Load the component into the document</translation>
    </message>
    <message>
        <source>同时载入构件至项目库与本地</source>
        <translation>Load the component into the project library and the document</translation>
    </message>
    <message>
        <source>载入构件并布置</source>
        <translation>Load the component and place it</translation>
    </message>
</context>
<context>
    <name>vela::PlazaPublicComponentsCardListHeaderView</name>
    <message>
        <source>全部构件</source>
        <translation>All components</translation>
    </message>
</context>
<context>
    <name>vela::PlazaPublicComponentsCardListItemDelegate</name>
    <message>
        <source>载入构件至本地</source>
        <translation>Load the component into the document</translation>
    </message>
    <message>
        <source>载入构件并布置</source>
        <translation>Load the component and place it</translation>
    </message>
    <message>
        <source>同时载入构件至项目库与本地</source>
        <translation>Load the component into the project library and the document</translation>
    </message>
    <message>
        <source>布置</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>载入</source>
        <translation>Load</translation>
    </message>
</context>
<context>
    <name>vela::PlazaPublicComponentsTableModel</name>
    <message>
        <source>载入</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>布置</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>复选框</source>
        <translation>Check box</translation>
    </message>
    <message>
        <source>构件名</source>
        <translation>Component</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Actions</translation>
    </message>
</context>
<context>
    <name>vela::PlazaPublicPage</name>
    <message>
        <source>公共构件Id为空</source>
        <translation>The component has no ID</translation>
    </message>
    <message>
        <source>没有打开的文档</source>
        <translation>No document is open</translation>
    </message>
    <message>
        <source>正在准备，请稍候...</source>
        <translation>Preparing, please wait...</translation>
    </message>
    <message>
        <source>载入成功</source>
        <translation>Loaded</translation>
    </message>
    <message>
        <source>布置失败</source>
        <translation>Placing failed</translation>
    </message>
    <message>
        <source>载入失败</source>
        <translation>Loading failed</translation>
    </message>
    <message>
        <source>未选中任何可载入构件</source>
        <translation>No component to load is selected</translation>
    </message>
    <message>
        <source>正在下载</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>批量载入成功</source>
        <translation>All components loaded</translation>
    </message>
    <message>
        <source>载入失败，请检查网络后重试</source>
        <translation>Loading failed. Check the network and try again</translation>
    </message>
    <message>
        <source>部分构件载入失败，请检查网络后重试</source>
        <translation>Some components failed to load. Check the network and try again</translation>
    </message>
    <message>
        <source>正在载入</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>没有任何可载入的构件</source>
        <translation>There are no components to load</translation>
    </message>
    <message>
        <source>协同项目id为空</source>
        <translation>The collaboration project has no ID</translation>
    </message>
    <message>
        <source>检查是否重复载入失败</source>
        <translation>Could not check for components already in the project</translation>
    </message>
    <message>
        <source>正在载入，请稍候...</source>
        <translation>Loading, please wait...</translation>
    </message>
    <message>
        <source>请选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>Max</translation>
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
        <source>关键词</source>
        <translation>Keyword</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>没有网络连接</source>
        <translation>No network connection</translation>
    </message>
    <message>
        <source>批量载入</source>
        <translation>Load Selected</translation>
    </message>
    <message>
        <source>输入关键词或短语查找构件</source>
        <translation>Search components</translation>
    </message>
    <message>
        <source>卡片模式</source>
        <translation>Card view</translation>
    </message>
    <message>
        <source>列表模式</source>
        <translation>List view</translation>
    </message>
    <message>
        <source>按属性找:</source>
        <translation>Filter by:</translation>
    </message>
    <message>
        <source>清空条件</source>
        <translation>Clear filters</translation>
    </message>
    <message>
        <source>相关构件</source>
        <translation>Found</translation>
    </message>
    <message>
        <source>个</source>
        <translation>components</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>构件服务不可用</source>
        <translation>The component service is unavailable</translation>
    </message>
    <message>
        <source>构件服务返回的数据无法识别</source>
        <translation>The component service returned data that cannot be read</translation>
    </message>
</context>
<context>
    <name>vela::PublicComponentRepeatCheckDialog</name>
    <message>
        <source>项目中0个构件已存在，再次添加会被另存为副本</source>
        <translation>Already in the project: 0 of these components. Adding them again saves copies.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>跳过重复构件</source>
        <translation>Skip Duplicates</translation>
    </message>
    <message>
        <source>确定全部添加</source>
        <translation>Add All</translation>
    </message>
    <message>
        <source>项目中%1个构件已存在，再次添加会被另存为副本</source>
        <translation>Already in the project: %1 of these components. Adding them again saves copies.</translation>
    </message>
</context>
</TS>
